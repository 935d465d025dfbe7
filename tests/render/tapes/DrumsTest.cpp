// The rolling drum readouts: which windows are drawn and where they read.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "AtlasRects.h"
#include "TapeFrame.h"

namespace {

constexpr float kNone = -1;  // window not drawn

struct Window {
    double x, y, w, h;
    int u1;
};

// Sprites in draw order: airspeed hundreds, tens, units; altitude
// ten-thousands, thousands, hundreds, last two digits.
constexpr Window kSpeedWindows[3] = {
    {148, 88, 6, 12, DRUM_U1}, {155, 88, 6, 12, DRUM_U1}, {162, 83, 6, 22, DRUM_U1}};
constexpr Window kAltWindows[4] = {{312, 89, 6, 12, DRUM_U1},
                                   {319, 89, 6, 12, DRUM_U1},
                                   {326, 89, 6, 12, DRUM_U1},
                                   {333, 84, 13, 22, DRUM_PAIR_U1}};

// v0 of each window, or kNone; v1 is v0 plus the window's height.
void ExpectWindows(const TapeFrame &f, const Window *windows, const float *v0, int n)
{
    for (int i = 0; i < n; i++) {
        const Window &w = windows[i];
        const DrumWindow *d = f.drumAt(w.x);
        SCOPED_TRACE("window at x " + std::to_string(int(w.x)));
        if (v0[i] == kNone) {
            EXPECT_EQ(d, nullptr);
            continue;
        }
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->rect, (rgl::PanelRect{w.x, w.y, w.w, w.h}));
        EXPECT_EQ(d->texels.u0, DRUM_U0);
        EXPECT_EQ(d->texels.u1, w.u1);
        EXPECT_NEAR(d->texels.v0, v0[i], 1e-3);
        EXPECT_NEAR(d->texels.v1, v0[i] + w.h, 1e-3);
    }
}

}  // namespace

TEST(AirspeedDrum, Windows)
{
    struct Case {
        float airspeed;
        float v0[3];  // hundreds, tens, units (the tall window's lower edge)
        const char *why;
    };
    const Case cases[] = {
        {119.5f, {410, 416, 507}, "tens half-way from 1 to 2 with the units"},
        {99.5f, {kNone, 512, 507}, "hundreds not shown below 100 kt"},
        {5.0f, {kNone, 398, 453}, "tens always shown: 05"},
        {199.25f, {413, 509, 504}, "every wheel a quarter of a cell on"},
        {0.0f, {kNone, 398, 393}, "at rest"},
        {-3.5f, {kNone, 398, 435}, "a negative airspeed reads as its magnitude, 3.5"},
        {3.5f, {kNone, 398, 435}, "the same as -3.5"},
        {99.0f, {kNone, 506, 501}, "9s at rest just before turning"},
        {100.0f, {410, 398, 393}, "the hundreds 1 comes into view at rest"},
    };
    GlassPanel p;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        p.set(dr::Airspeed, c.airspeed);
        ExpectWindows(p.draw(), kSpeedWindows, c.v0, 3);
    }
}

TEST(AirspeedDrum, ValuesBeyondTheWheelsStayOnTheirCells)
{
    // No number reads as 0; the infinities and the largest floats saturate
    // every wheel, and the units wheel must not roll by NaN or infinity.
    GlassPanel p;
    p.set(dr::Airspeed, std::numeric_limits<float>::quiet_NaN());
    const float atRest[3] = {kNone, 398, 393};
    ExpectWindows(p.draw(), kSpeedWindows, atRest, 3);
    for (float v : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                    std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()}) {
        SCOPED_TRACE(v);
        p.set(dr::Airspeed, v);
        const TapeFrame f = p.draw();
        ASSERT_NE(f.drumAt(kSpeedWindows[2].x), nullptr);
        for (const DrumWindow &d : f.drums)
            EXPECT_TRUE(std::isfinite(d.texels.v0) && std::isfinite(d.texels.v1))
                << d.texels.v0 << " .. " << d.texels.v1;
    }
}

TEST(AltitudeDrum, Windows)
{
    struct Case {
        float altitude;
        float v0[4];  // ten-thousands, thousands, hundreds, last two digits
        const char *why;
    };
    const Case cases[] = {
        {2990, {kNone, 422, 506, 501}, "nothing turns yet at W 90"},
        {2995, {kNone, 428, 512, 507}, "thousands and hundreds half-way with W 95"},
        {3000, {kNone, 434, 398, 393}, "all at rest"},
        {991, {kNone, kNone, 507.2f, 502.2f}, "thousands not shown below 1000 ft"},
        {12345.6f, {410, 422, 434, 447}, "fraction of a foot dropped"},
        {9995, {kNone, 512, 512, 507}, "ten-thousands not shown before 10000 ft"},
        {99995, {512, 512, 512, 507}, "three wheels half-way between 9 and 0"},
        {2999.7f, {kNone, 432.8f, 516.8f, 511.8f}, "W 99: hundreds at cell 9 + 10.8"},
        {3000.0f, {kNone, 434, 398, 393}, "0.3 ft on: Z and W change"},
        {1000, {kNone, 410, 398, 393}, "thousands 1 comes into view"},
        {50, {kNone, kNone, 398, 453}, "50 ft reads 0 and 50"},
        {2395, {kNone, 422, 440, 507}, "thousands wait for the hundreds to reach 9"},
        {12995, {410, 428, 512, 507}, "ten-thousands wait for the thousands to reach 9"},
        {19995, {416, 512, 512, 507}, "and roll once they have"},
    };
    GlassPanel p;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        p.set(dr::Altitude, c.altitude);
        ExpectWindows(p.draw(), kAltWindows, c.v0, 4);
    }
}

// Below sea level: the wheels of the magnitude, and a minus sign in the
// ten-thousands slot while that slot is free.
TEST(AltitudeDrum, BelowZeroShowsTheMagnitudeAfterAMinus)
{
    struct Case {
        float altitude;
        bool minus;
        const char *why;
    };
    const Case cases[] = {
        {-11, true, "a field below sea level"},
        {-50, true, "two-digit window at 50"},
        {-995, true, "hundreds rolling from 9 to 0"},
        {-1234.5f, true, "thousands shown"},
        {-9995, true, "thousands and hundreds rolling"},
        {-12345, false, "the slot holds the ten-thousands digit"},
        {-1, true, "one whole foot below"},
        {-0.5f, false, "less than a foot below reads 0, as above"},
    };
    GlassPanel p;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        p.set(dr::Altitude, -c.altitude);
        TapeFrame above = p.draw();
        p.set(dr::Altitude, c.altitude);
        TapeFrame below = p.draw();
        for (double x : {319.0, 326.0, 333.0}) {
            const DrumWindow *a = above.drumAt(x), *b = below.drumAt(x);
            ASSERT_EQ(a == nullptr, b == nullptr) << "x " << x;
            if (a) {
                EXPECT_EQ(a->texels, b->texels) << "x " << x;
            }
        }
        const DrumWindow *slot = below.drumAt(312);
        if (!c.minus) {
            ASSERT_EQ(slot == nullptr, above.drumAt(312) == nullptr);
            if (slot) {
                EXPECT_EQ(slot->texels, above.drumAt(312)->texels);
            }
            continue;
        }
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->rect, (rgl::PanelRect{312, 89, 6, 12}));
        EXPECT_EQ(slot->texels, (rgl::TexelRect{ATLAS_DRUM_MINUS.u0, ATLAS_DRUM_MINUS.v0,
                                                ATLAS_DRUM_MINUS.u1, ATLAS_DRUM_MINUS.v1}));
    }
}

// A value that is no number, or infinite, reads as 0 on both readouts.
TEST(Drums, NonFiniteValuesReadAsZero)
{
    GlassPanel p;
    TapeFrame rest = p.draw();
    for (float v : {NAN, INFINITY, -INFINITY}) {
        SCOPED_TRACE(v);
        p.set(dr::Airspeed, v);
        p.set(dr::Altitude, v);
        TapeFrame f = p.draw();
        ASSERT_EQ(f.drums.size(), rest.drums.size());
        for (size_t i = 0; i < f.drums.size(); i++) {
            EXPECT_EQ(f.drums[i].rect, rest.drums[i].rect);
            EXPECT_EQ(f.drums[i].texels, rest.drums[i].texels);
        }
    }
}

TEST(Drums, DrawnInTheTintFromThePanelOrigin)
{
    GlassPanel p;
    p.moveTo(100, 50);
    p.set(dr::Airspeed, 119.5f);
    p.set(dr::Altitude, 12345.6f);
    for (int lit = 0; lit < 2; lit++) {
        p.h.setInt(dr::Lit, lit);
        TapeFrame f = p.draw();
        ASSERT_NE(f.drumAt(kSpeedWindows[2].x), nullptr);
        const rgl::Color tint = lit ? rgl::Color{0.7f, 0.35f, 0.4f, 1} : rgl::Color{1, 1, 1, 1};
        for (const DrumWindow &d : f.drums) {
            EXPECT_EQ(d.quad.color, tint);
            EXPECT_TRUE(d.quad.textured());
        }
        // Sprites in their draw order, read against the moved origin.
        const double xs[7] = {148, 155, 162, 312, 319, 326, 333};
        for (int i = 0; i < 7; i++) EXPECT_EQ(f.drums[i].rect.x, xs[i]);
    }
}
