#ifndef OSTREL_TESTS_FLIGHTPROBE_H
#define OSTREL_TESTS_FLIGHTPROBE_H
// Looking into parsed flights from the flight-format tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "flights/Flight.h"
#include "flights/InputText.h"

namespace simtest {

// The value of a dataref element ("name" or "name[i]") at time t; NaN, and a
// test failure, if the flight has no track for it.
inline double At(const sim::Flight &f, const char *key, double t)
{
    sim::DatarefKey k;
    EXPECT_EQ(sim::ParseDatarefKey(key, k), "");
    const sim::Track *track = f.find(k);
    EXPECT_NE(track, nullptr) << key;
    return track ? track->valueAt(t) : NAN;
}

inline bool Has(const sim::Flight &f, const char *key)
{
    sim::DatarefKey k;
    sim::ParseDatarefKey(key, k);
    return f.find(k) != nullptr;
}

// The flight's notes, one a line.
inline std::string Notes(const sim::Flight &f)
{
    std::string s;
    for (const std::string &n : f.notes) s += n + "\n";
    return s;
}

// What parse(text, file) throws, or "(no error)".
template <class Parse>
std::string ErrorOf(Parse parse, const std::string &text, const std::string &file)
{
    try {
        parse(text, file);
    } catch (const sim::FlightError &e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace simtest

#endif
