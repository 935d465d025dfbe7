// Values no aircraft produces: the tape loops end, draw no ticks for
// values without an exact tick base, and draw the normal tick set up to
// the last value that has one.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TapeFrame.h"
#include "TapeCheck.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
// The last floats inside the int range, and the first ones past it.
constexpr float kLargest = 2147483520.0f;    // 2^31 - 128
constexpr float kSmallest = -2147483648.0f;  // -2^31
const float kPastLargest = std::nextafter(kLargest, kInf);
const float kPastSmallest = std::nextafter(kSmallest, -kInf);

}  // namespace

TEST(TapeLimits, NoTicksForValuesWithoutATickBase)
{
    const float values[] = {kInf, -kInf, std::nanf(""), 1e30f, -1e30f, kPastLargest,
                            kPastSmallest};
    GlassPanel p;
    p.set(dr::Airspeed, 0);
    p.set(dr::Altitude, 0);
    const size_t normal = p.draw().primitives;
    for (float v : values) {
        SCOPED_TRACE("value " + std::to_string(v));
        p.set(dr::Airspeed, v);
        p.set(dr::Altitude, v);
        TapeFrame f = p.draw();
        EXPECT_TRUE(f.speedMajor.empty() && f.speedMinor.empty() && f.speedLabels.empty());
        EXPECT_TRUE(f.altMajor.empty() && f.altMinor.empty() && f.altLabels.empty());
        EXPECT_LT(f.primitives, normal);
        // Bands and drums still draw, and the tapes still set and clear their clip.
        EXPECT_EQ(f.bands.size(), 4u);
        EXPECT_GE(f.drums.size(), 4u);
        EXPECT_GE(f.scissors.size(), 2u);
        EXPECT_FALSE(p.h.gl().enabled(GL_SCISSOR_TEST));
    }
}

TEST(TapeLimits, LargestValuesDrawTheNormalTicks)
{
    GlassPanel p;
    p.set(dr::Airspeed, kLargest);
    p.set(dr::Altitude, kLargest);
    TapeFrame f = p.draw();
    // A multiple of 10: the base is the value itself, on the centre line.
    ExpectTicks(f.speedMajor, f.speedMinor, f.speedLabels, kSpeed, 2147483470, 20, 11);
    // Less its remainder of 20 the value rounds back to itself in float, so
    // the base is 2147483520 and the ticks run 400 ft either side of it,
    // past the int range at the top.
    ExpectTicks(f.altMajor, f.altMinor, f.altLabels, kAltitude, 2147483120, 15, 9);
}

TEST(TapeLimits, SmallestValueDrawsTheNormalTicks)
{
    GlassPanel p;
    p.set(dr::Airspeed, kSmallest);
    p.set(dr::Altitude, kSmallest);
    TapeFrame f = p.draw();
    EXPECT_TRUE(f.speedMajor.empty());  // far below 0 kt, as every negative speed
    // Base -2^31; the first tick 400 ft below it lies past the int range.
    ExpectTicks(f.altMajor, f.altMinor, f.altLabels, kAltitude, -2147484048LL, 15, 9);
}
