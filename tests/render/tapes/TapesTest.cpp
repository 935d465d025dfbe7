// The speed and altitude tapes: tick sets, labels, clipping and line state.

#include <gtest/gtest.h>

#include "AtlasRects.h"
#include "TapeFrame.h"
#include "TapeCheck.h"

namespace {

struct TapeCase {
    float value;
    long long firstValue;  // first tick drawn
    double firstY;
    size_t count;          // major ticks drawn
    const char *why;
};

}  // namespace

TEST(SpeedTape, TickSetsFollowTheAirspeed)
{
    const TapeCase cases[] = {
        {119.5f, 60, 5.75, 12, "base 110: 120 at 95.75, last major 170 at 170.75"},
        {120.0f, 70, 20, 11, "a multiple of 10 sits on the centre line"},
        {-3.5f, 0, 100.25, 6, "nothing below 0 kt: the first tick, -50 at 25.25, is not drawn"},
        {0.0f, 0, 95, 6, "at rest"},
    };
    for (int moved = 0; moved < 2; moved++) {
        GlassPanel p;
        if (moved) p.moveTo(37, 21);
        for (const TapeCase &c : cases) {
            SCOPED_TRACE(c.why);
            SCOPED_TRACE(moved ? "panel at (37, 21)" : "panel at the origin");
            p.set(dr::Airspeed, c.value);
            TapeFrame f = p.draw();
            ExpectTicks(f.speedMajor, f.speedMinor, f.speedLabels, kSpeed, c.firstValue,
                        c.firstY, c.count);
        }
    }
}

TEST(SpeedTape, LastTicksAndPaddedLabels)
{
    GlassPanel p;
    p.set(dr::Airspeed, 119.5f);
    TapeFrame f = p.draw();
    ASSERT_EQ(f.speedMajor.size(), 12u);
    EXPECT_EQ(f.speedMajor.back().y, 170.75);
    EXPECT_EQ(f.speedMinor.back().y, 178.25);  // above 177: tested only at majors
    ASSERT_NE(f.speedLabelAt(92.75), nullptr);
    EXPECT_EQ(f.speedLabelAt(92.75)->text, "120");
    // Blank-padded labels keep the digits right-aligned: " 60" has its 6 in
    // the second cell.
    const Label *sixty = f.speedLabelAt(2.75);
    ASSERT_NE(sixty, nullptr);
    ASSERT_EQ(sixty->cells.size(), 2u);
    EXPECT_EQ(sixty->cells[0].panel(), (rgl::PanelRect{161, 2.75, 3, 5}));
    EXPECT_EQ(sixty->cells[0].texels(), (rgl::TexelRect{564, 516, 567, 521}));
    EXPECT_EQ(sixty->cells[1].panel(), (rgl::PanelRect{165, 2.75, 3, 5}));
    EXPECT_EQ(sixty->cells[1].texels(), (rgl::TexelRect{564, 480, 567, 485}));
}

TEST(AltitudeTape, TickSetsFollowTheAltitude)
{
    const TapeCase cases[] = {
        {2995.0f, 2500, -4, 10, "base 2900: 3000 at 96, last 3400 at 176, minor 3450 at 186"},
        {-150.0f, -500, 25, 8, "below 0 ft every tick is drawn, labelled by its magnitude"},
        {10000.0f, 9600, 15, 9, "five-digit labels"},
        {0.0f, -400, 15, 9, "at rest"},
    };
    for (int moved = 0; moved < 2; moved++) {
        GlassPanel p;
        if (moved) p.moveTo(37, 21);
        for (const TapeCase &c : cases) {
            SCOPED_TRACE(c.why);
            SCOPED_TRACE(moved ? "panel at (37, 21)" : "panel at the origin");
            p.set(dr::Altitude, c.value);
            TapeFrame f = p.draw();
            ExpectTicks(f.altMajor, f.altMinor, f.altLabels, kAltitude, c.firstValue, c.firstY,
                        c.count);
        }
    }
}

TEST(AltitudeTape, LabelsOfMagnitudesAndFiveDigits)
{
    GlassPanel p;
    p.set(dr::Altitude, -150.0f);
    TapeFrame f = p.draw();
    ASSERT_NE(f.altLabelAt(122), nullptr);
    EXPECT_EQ(f.altLabelAt(122)->text, "  0");  // 0 ft at y 125
    ASSERT_NE(f.altLabelAt(22), nullptr);
    EXPECT_EQ(f.altLabelAt(22)->text, "500");   // -500 ft at y 25

    p.set(dr::Altitude, 10000.0f);
    f = p.draw();
    const Label *l = f.altLabelAt(92);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->text, "10000");
    ASSERT_EQ(l->cells.size(), 5u);
    for (int i = 0; i < 5; i++) EXPECT_EQ(l->cells[i].panel().x, 309 + 4 * i);
    EXPECT_EQ(l->cells[4].bounds().x1, 328);  // inside the window's right edge, 336
}

TEST(Tapes, ClippedToTheirWindowsAtScale14)
{
    GlassPanel p;
    p.h.press(cmd::Larger);
    p.h.press(cmd::Larger);  // SCALE 1.4
    host::Rect r = p.h.windowRect();
    p.h.drag(r.left + 1, r.bottom + 1, 144, 72);  // origin trunc(143 / 1.4), trunc(71 / 1.4)
    p.XO = 102;
    p.YO = 50;
    p.set(dr::Airspeed, 119.5f);
    p.set(dr::Altitude, 2995.0f);
    TapeFrame f = p.draw();
    ASSERT_EQ(f.bands.size(), 4u);
    ASSERT_EQ(f.bands[0].vertices[1].x, 102 + 175) << "the drag did not put the origin at 102";
    ASSERT_EQ(f.bands[0].vertices[1].y, 50 + 32);

    // Each number truncated on its own: left 1.4 x 247 = 345.8, bottom
    // 1.4 x 82 = 114.8, width 1.4 x 30 = 42, height 1.4 x 125 = 175. The box
    // ends at 387, a pixel short of the exactly scaled edge at 387.8.
    const rgl::Scissor speed{345, 114, 42, 175};
    const rgl::Scissor altitude{565, 114, 47, 175};  // 1.4 x 404 = 565.6, 1.4 x 34 = 47.6
    ASSERT_GE(f.scissors.size(), 2u);
    EXPECT_EQ(f.scissors[f.scissors.size() - 2], speed);
    EXPECT_EQ(f.scissors.back(), altitude);

    ASSERT_FALSE(f.speedMajor.empty());
    ASSERT_FALSE(f.altMajor.empty());
    for (const auto *ticks : {&f.speedMajor, &f.speedMinor})
        for (const Tick &t : *ticks) EXPECT_EQ(t.line.scissor, speed);
    for (const auto *ticks : {&f.altMajor, &f.altMinor})
        for (const Tick &t : *ticks) EXPECT_EQ(t.line.scissor, altitude);
    for (const Label &l : f.speedLabels)
        for (const rgl::Primitive &c : l.cells) EXPECT_EQ(c.scissor, speed);
    for (const Label &l : f.altLabels)
        for (const rgl::Primitive &c : l.cells) EXPECT_EQ(c.scissor, altitude);
    // The scissor test is off again for everything after the tapes.
    for (const DrumWindow &d : f.drums) EXPECT_FALSE(d.quad.scissor.has_value());
    EXPECT_FALSE(p.h.gl().enabled(GL_SCISSOR_TEST));
}

TEST(Tapes, SmoothUntexturedLinesInTheTint)
{
    GlassPanel p;
    p.h.press(cmd::Alpha);
    const float a = 1.0f - 0.1f;
    p.set(dr::Airspeed, 119.5f);
    p.set(dr::Altitude, -150.0f);
    for (int lit = 0; lit < 2; lit++) {
        SCOPED_TRACE(lit ? "night" : "day");
        p.h.setInt(dr::Lit, lit);
        TapeFrame f = p.draw();
        const rgl::Color tint = lit ? rgl::Color{0.7f, 0.35f, 0.4f, a} : rgl::Color{1, 1, 1, a};
        std::vector<Tick> all;
        for (const auto *ticks : {&f.speedMajor, &f.speedMinor, &f.altMajor, &f.altMinor})
            all.insert(all.end(), ticks->begin(), ticks->end());
        ASSERT_EQ(all.size(), 2 * (12u + 8u));
        // Every line, including each one right after a label, is drawn with
        // texturing off again.
        for (const Tick &t : all) {
            EXPECT_FALSE(t.line.textured());
            EXPECT_TRUE(t.line.enabled(GL_LINE_SMOOTH));
            EXPECT_TRUE(t.line.enabled(GL_BLEND));
            EXPECT_EQ(t.line.lineWidth, 1.0f);
            EXPECT_EQ(t.line.color, tint);
        }
        for (const auto *labels : {&f.speedLabels, &f.altLabels})
            for (const Label &l : *labels)
                for (const rgl::Primitive &c : l.cells) EXPECT_EQ(c.color, tint);
        auto hints = p.h.gl().callsTo("glHint");
        ASSERT_FALSE(hints.empty());
        for (const rgl::Call &c : hints)
            EXPECT_EQ(c.args, (std::vector<double>{GL_LINE_SMOOTH_HINT, GL_NICEST}));
    }
}
