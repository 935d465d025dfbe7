// The speed bands beside the speed tape: edges, holds, colours.

#include <gtest/gtest.h>

#include "TapeFrame.h"

namespace {

struct Edges {
    double fe, no, ne;
};

// The band column's four quads in draw order: green, flap, caution,
// never-exceed. Returns the three limit edges read off their corners.
Edges ReadEdges(const TapeFrame &f)
{
    EXPECT_EQ(f.bands.size(), 4u);
    if (f.bands.size() != 4) return {};
    rgl::Box flap = f.bands[1].bounds(), no = f.bands[2].bounds(), ne = f.bands[3].bounds();
    EXPECT_EQ(flap.y0, 32);
    EXPECT_EQ(no.y1, 157);
    EXPECT_EQ(ne.y1, 157);
    return {flap.y1, no.y0, ne.y0};
}

void Set(GlassPanel &p, float airspeed, float vfe, float vno, float vne)
{
    p.set(dr::Airspeed, airspeed);
    p.set(dr::Vfe, vfe);
    p.set(dr::Vno, vno);
    p.set(dr::Vne, vne);
}

}  // namespace

TEST(SpeedBands, EdgesHoldsAndSteps)
{
    struct Case {
        float airspeed, vfe, vno, vne;
        double fe, no, ne;
        const char *why;
    };
    const Case cases[] = {
        {119.5f, 100, 140, 170, 66, 125, 157, "-20.5 kt below Vno truncates to -20"},
        {0, 0, 0, 0, 95, 95, 95, "at rest with no limits: all on the centre line"},
        {150, 100, 300, 300, 32, 157, 157, "42 kt or more above Vfe holds the flap edge at 32"},
        {50, 100, 300, 300, 157, 157, 157, "42 kt or more below Vfe holds it at 157"},
        {141.99f, 50, 141, 300, 32, 95, 157, "caution edge stays put within one knot above"},
        {140.01f, 50, 141, 300, 32, 95, 157, "and within one knot below"},
        {142, 100, 141, 170, 32, 94, 137, "one knot above Vno: 1 unit; 28 below Vne: 42"},
        {139, 50, 141, 170, 32, 98, 141, "two knots below: 3 units; stepping 1 and 2"},
        {250, 100, 140, 170, 32, 32, 32, "far above every limit: caution and red fill"},
        {100.66f, 100, 300, 300, 95, 157, 157, "0.66 kt over Vfe: still on the centre line"},
        {100.67f, 100, 300, 300, 94, 157, 157, "2/3 kt over Vfe: one unit down"},
        {99.33f, 100, 300, 300, 96, 157, 157, "2/3 kt under Vfe: one unit up"},
    };
    GlassPanel p;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        Set(p, c.airspeed, c.vfe, c.vno, c.vne);
        Edges e = ReadEdges(p.draw());
        EXPECT_EQ(e.fe, c.fe);
        EXPECT_EQ(e.no, c.no);
        EXPECT_EQ(e.ne, c.ne);
    }
}

TEST(SpeedBands, QuadsInWholeUnitsFromThePanelOrigin)
{
    GlassPanel p;
    p.moveTo(100, 50);
    Set(p, 119.5f, 100, 140, 170);
    TapeFrame f = p.draw();
    ASSERT_EQ(f.bands.size(), 4u);
    const double expected[4][4][2] = {
        {{179, 32}, {175, 32}, {175, 157}, {179, 157}},
        {{177, 32}, {175, 32}, {175, 66}, {177, 66}},
        {{179, 125}, {175, 125}, {175, 157}, {179, 157}},
        {{179, 157}, {175, 157}, {175, 157}, {179, 157}},
    };
    for (int b = 0; b < 4; b++) {
        ASSERT_EQ(f.bands[b].vertices.size(), 4u);
        EXPECT_FALSE(f.bands[b].scissor.has_value()) << "band " << b;
        for (int v = 0; v < 4; v++) {
            EXPECT_EQ(f.bands[b].vertices[v].x, expected[b][v][0] + 100) << b << "/" << v;
            EXPECT_EQ(f.bands[b].vertices[v].y, expected[b][v][1] + 50) << b << "/" << v;
        }
    }
    // Passed as doubles: the recorder notes glVertex2d calls.
    const rgl::RecordingGL &gl = p.h.gl();
    EXPECT_GE(gl.count("glVertex2d"), 16);
}

TEST(SpeedBands, DayAndNightColours)
{
    GlassPanel p;
    p.h.press(cmd::Alpha);  // 0.9: the bands carry the panel's opacity
    const float a = 1.0f - 0.1f;
    const rgl::Color day[4] = {{0, 0.8f, 0, a}, {1, 1, 1, a}, {1, 1, 0, a}, {1, 0, 0, a}};
    const rgl::Color night[4] = {
        {0, 0.35f, 0, a}, {0.7f, 0.35f, 0.4f, a}, {0.7f, 0.35f, 0, a}, {0.6f, 0.1f, 0.1f, a}};
    for (int lit = 0; lit < 2; lit++) {
        SCOPED_TRACE(lit ? "night" : "day");
        p.h.setInt(dr::Lit, lit);
        TapeFrame f = p.draw();
        ASSERT_EQ(f.bands.size(), 4u);
        for (int b = 0; b < 4; b++) {
            EXPECT_EQ(f.bands[b].color, lit ? night[b] : day[b]) << "band " << b;
            EXPECT_FALSE(f.bands[b].textured()) << "band " << b;
        }
    }
}
