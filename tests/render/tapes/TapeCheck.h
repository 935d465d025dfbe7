#ifndef OSTREL_TESTS_TAPES_TAPECHECK_H
#define OSTREL_TESTS_TAPES_TAPECHECK_H
// Checks one tape's whole tick set: count majors from a first value at a
// first y, each a step higher and a spacing further up with its label
// beside it, and a minor tick half a spacing above every major.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "TapeFrame.h"

struct TapeGeometry {
    long long step;   // value per major tick
    double spacing;   // panel units per major tick
};

constexpr TapeGeometry kSpeed = {10, 15.0};
constexpr TapeGeometry kAltitude = {100, 20.0};

inline void ExpectTicks(const std::vector<Tick> &majors, const std::vector<Tick> &minors,
                        const std::vector<Label> &labels, const TapeGeometry &g,
                        long long firstValue, double firstY, size_t count)
{
    ASSERT_EQ(majors.size(), count);
    ASSERT_EQ(minors.size(), count);
    ASSERT_EQ(labels.size(), count);
    for (size_t k = 0; k < count; k++) {
        double y = firstY + g.spacing * double(k);
        long long v = firstValue + g.step * (long long)k;
        char text[32];
        std::snprintf(text, sizeof text, "%3lld", std::llabs(v));
        EXPECT_EQ(majors[k].y, y) << "major " << k;
        EXPECT_EQ(minors[k].y, y + g.spacing / 2) << "minor " << k;
        EXPECT_EQ(labels[k].y, y - 3) << "label " << k;
        EXPECT_EQ(labels[k].text, text) << "label " << k;
    }
}

#endif
