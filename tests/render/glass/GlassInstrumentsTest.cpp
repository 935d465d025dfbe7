// Each Glass instrument against the flight values that move it.

#include <gtest/gtest.h>

#include "GlassFrame.h"

using rgl::PanelRect;

namespace {

rgl::Primitive Only(const rgl::RecordingGL &gl, const std::string &name)
{
    auto q = Named(GlassSprites(gl), name);
    EXPECT_EQ(q.size(), 1u) << name;
    return q.empty() ? rgl::Primitive{} : q[0];
}

}  // namespace

TEST(GlassAttitude, PitchSlidesTheHorizonRowsWithinForty)
{
    struct Case {
        float pitch;
        float v0, v1;  // texels
    };
    const Case cases[] = {{0, 511, 641}, {10, 527, 657}, {50, 575, 705}, {-60, 447, 577},
                          {40, 575, 705}, {-40, 447, 577}};
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pitch);
        h.setFloat(dr::Pitch, c.pitch);
        rgl::Primitive q = Only(h.drawFrame(), "horizon");
        rgl::TexelRect t = q.texels();
        EXPECT_EQ(t.u0, 384.0f);
        EXPECT_EQ(t.u1, 512.0f);
        EXPECT_NEAR(t.v0, c.v0, 1e-3);
        EXPECT_NEAR(t.v1, c.v1, 1e-3);
        // The exact single-precision coordinates, not just the texel rows.
        float p = c.pitch > 40 ? 40 : c.pitch < -40 ? -40 : c.pitch;
        float v0 = 0.4990234375f + 0.0015625f * p;
        EXPECT_EQ(q.vertices[1].v, v0);
        EXPECT_EQ(q.vertices[3].v, v0 + 0.126953125f);
        EXPECT_EQ(q.panel(), (PanelRect{175, 30, 128, 130}));
    }
}

TEST(GlassAttitude, RollTurnsHorizonAndPointerAboutTheAttitudePivot)
{
    GlassHarness h;
    h.setFloat(dr::Roll, 30.0f);
    const rgl::RecordingGL &gl = h.drawFrame();
    ExpectTurned(Only(gl, "horizon"), 239, 96, 30, 1);
    ExpectTurned(Only(gl, "roll pointer"), 239, 96, 30, 1);
    ExpectTurned(Only(gl, "aircraft"), 239, 96, 0, 1);  // the aircraft symbol stays level
}

TEST(GlassFlightDirector, OffShowsOnlyThePlainSymbol)
{
    GlassHarness h;
    h.setFloat(dr::FDpitch, 15.0f);
    h.setFloat(dr::FDroll, 20.0f);
    const rgl::RecordingGL &gl = h.drawFrame();
    auto sprites = GlassSprites(gl);
    EXPECT_TRUE(Named(sprites, "fd bar").empty());
    EXPECT_TRUE(Named(sprites, "aircraft fd").empty());
    EXPECT_EQ(Only(gl, "aircraft").panel(), (PanelRect{202, 87, 74, 10}));
}

TEST(GlassFlightDirector, OnLimitsThePitchAndTurnsClockwiseForRightRoll)
{
    GlassHarness h;
    h.setInt(dr::FDmode, 2);
    h.setFloat(dr::FDpitch, 15.0f);
    h.setFloat(dr::FDroll, 20.0f);
    const rgl::RecordingGL &gl = h.drawFrame();
    rgl::Primitive bar = Only(gl, "fd bar");
    EXPECT_EQ(bar.panel(), (PanelRect{207, 97, 64, 10}));
    ExpectTurned(bar, 239, 88, -20, 1);
    rgl::Primitive symbol = Only(gl, "aircraft fd");
    EXPECT_EQ(symbol.panel(), (PanelRect{217.5, 87, 43, 10}));
    ExpectTurned(symbol, 239, 88, 0, 1);
    EXPECT_GT(symbol.callIndex, bar.callIndex);
    EXPECT_TRUE(Named(GlassSprites(gl), "aircraft").empty());

    h.setFloat(dr::FDpitch, -3.0f);
    EXPECT_EQ(Only(h.drawFrame(), "fd bar").panel().y, 84);
    h.setFloat(dr::FDpitch, -30.0f);
    EXPECT_EQ(Only(h.drawFrame(), "fd bar").panel().y, 77);
}

TEST(GlassVerticalSpeed, NeedleAngleFollowsTheScale)
{
    struct Case {
        float fpm, theta;
    };
    const Case cases[] = {{0, 0},      {500, -20},   {-1500, 48.5}, {3000, -61},
                          {-4000, 65}, {5000, -67},  {-8000, 67},   {1000, -40},
                          {-2000, 57}, {4500, -66}};
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fpm);
        h.setFloat(dr::Vertspeed, c.fpm);
        const rgl::RecordingGL &gl = h.drawFrame();
        rgl::Primitive needle = Only(gl, "vs needle");
        EXPECT_EQ(needle.panel(), (PanelRect{336, 93, 39, 3}));
        ExpectTurned(needle, 375, 93, c.theta, 1);
        ExpectTurned(Only(gl, "vs scale"), 375, 93, 0, 1);
    }
}

TEST(GlassHsi, ThreeTurnsAboutTheHsiPivot)
{
    GlassHarness h;
    h.setFloat(dr::Heading, 30.0f);
    h.setFloat(dr::Nav1OBS, 10.0f);
    h.setFloat(dr::HDG, 50.0f);
    h.setFloat(dr::Nav1Hdef, 2.0f);
    const rgl::RecordingGL &gl = h.drawFrame();
    ExpectTurned(Only(gl, "heading card"), 74, 93, 30, 1);
    ExpectTurned(Only(gl, "course pointer"), 74, 93, 20, 1);
    ExpectTurned(Only(gl, "deviation scale"), 74, 93, 20, 1);
    rgl::Primitive cdi = Only(gl, "cdi bar");
    EXPECT_EQ(cdi.panel(), (PanelRect{93, 66, 2, 50}));
    ExpectTurned(cdi, 74, 93, 20, 1);
    ExpectTurned(Only(gl, "hdg marker"), 74, 93, -20, 1);
    ExpectTurned(Only(gl, "hsi aircraft"), 74, 93, 0, 1);
    ExpectTurned(Only(gl, "heading box"), 74, 93, 0, 1);
}

TEST(GlassHsi, CdiBarMovesWithoutBound)
{
    GlassHarness h;
    h.setFloat(dr::Nav1Hdef, -25.0f);
    EXPECT_EQ(Only(h.drawFrame(), "cdi bar").panel().x, -177);
}

TEST(GlassHsi, HeadingReadoutIsThreeTruncatedDigits)
{
    struct Case {
        float heading;
        std::map<double, int> cells;
    };
    const Case cases[] = {
        {7.9f, {{66, 0}, {72, 0}, {78, 7}}},
        {359.99f, {{66, 3}, {72, 5}, {78, 9}}},
        {0.0f, {{66, 0}, {72, 0}, {78, 0}}},
        {-5.5f, {{72, 0}, {78, 5}}},  // "-05": the sign's cell stays blank
        {1234.0f, {{66, 1}, {72, 2}, {78, 3}, {84, 4}}},
    };
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.heading);
        h.setFloat(dr::Heading, c.heading);
        EXPECT_EQ(Glyphs(h.drawFrame(), 156), c.cells);
    }
}

TEST(GlassBall, SlipMovesTheBallWithinFourAndAHalf)
{
    struct Case {
        float slip;
        double x;
    };
    const Case cases[] = {{0, 232.5}, {6, 219}, {-1, 235.5}, {4.5, 219}, {-9, 246}};
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.slip);
        h.setFloat(dr::Slip, c.slip);
        EXPECT_EQ(Only(h.drawFrame(), "ball").panel(), (PanelRect{c.x, 12.5, 13, 13}));
    }
}

TEST(GlassAnnunciators, AtMostOneMarkerLampOuterFirst)
{
    struct Case {
        int om, mm, im;
        std::vector<std::string> lamps;
    };
    const Case cases[] = {
        {0, 0, 0, {}},          {1, 0, 0, {"om lamp"}}, {0, 1, 0, {"mm lamp"}},
        {0, 0, 1, {"im lamp"}}, {1, 0, 1, {"om lamp"}}, {0, 1, 1, {"mm lamp"}},
        {1, 1, 1, {"om lamp"}},
    };
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.om << c.mm << c.im);
        h.setInt(dr::OM, c.om);
        h.setInt(dr::MM, c.mm);
        h.setInt(dr::IM, c.im);
        std::vector<std::string> lamps;
        for (const std::string &n : Names(GlassSprites(h.drawFrame())))
            if (n.find("lamp") != std::string::npos) lamps.push_back(n);
        EXPECT_EQ(lamps, c.lamps);
    }
    h.setInt(dr::OM, 0);
    h.setInt(dr::MM, 1);
    EXPECT_EQ(Only(h.drawFrame(), "mm lamp").panel(), (PanelRect{155, 161, 11, 9}));
    h.setInt(dr::MM, 0);
    EXPECT_EQ(Only(h.drawFrame(), "im lamp").panel(), (PanelRect{166, 161, 11, 9}));
}

TEST(GlassAnnunciators, BrakeLightAboveZeroStallLightWhenStalled)
{
    GlassHarness h;
    h.setFloat(dr::Brakes, 0.0f);
    EXPECT_TRUE(Named(GlassSprites(h.drawFrame()), "brake light").empty());
    h.setFloat(dr::Brakes, -0.5f);
    EXPECT_TRUE(Named(GlassSprites(h.drawFrame()), "brake light").empty());
    h.setFloat(dr::Brakes, 0.01f);
    EXPECT_EQ(Only(h.drawFrame(), "brake light").panel(), (PanelRect{297, 161, 41, 10}));

    EXPECT_TRUE(Named(GlassSprites(h.drawFrame()), "stall light").empty());
    h.setInt(dr::Stalled, -1);
    EXPECT_EQ(Only(h.drawFrame(), "stall light").panel(), (PanelRect{340, 158, 26, 13}));
}

TEST(GlassGlideslope, PointerMovesTwentyUnitsPerDotWithoutBound)
{
    struct Case {
        float dots;
        double y;
    };
    const Case cases[] = {{0, 91.5}, {1, 71.5}, {-2.5, 141.5}, {10, -108.5}};
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.dots);
        h.setFloat(dr::Nav1Vdef, c.dots);
        EXPECT_EQ(Only(h.drawFrame(), "gs pointer").panel(), (PanelRect{295, c.y, 6, 5}));
    }
}

TEST(GlassDme, DistanceAndTimeEightCellsApart)
{
    GlassHarness h;
    h.setFloat(dr::Nav1DMEdist, 12.34f);
    h.setFloat(dr::Nav1DMEtime, 5.678f);
    EXPECT_TRUE(Glyphs(h.drawFrame(), 15).empty());

    h.setInt(dr::Nav1DME, 1);
    // "12.3        5.68": the time's first digit in the 13th cell, at x 120.
    std::map<double, int> cells = {{48, 1}, {54, 2}, {66, 3}, {120, 5}, {132, 6}, {138, 8}};
    EXPECT_EQ(Glyphs(h.drawFrame(), 15), cells);

    // A shorter distance moves the time left with it: "5.0        0.50".
    h.setFloat(dr::Nav1DMEdist, 5.0f);
    h.setFloat(dr::Nav1DMEtime, 0.5f);
    cells = {{48, 5}, {60, 0}, {114, 0}, {126, 5}, {132, 0}};
    EXPECT_EQ(Glyphs(h.drawFrame(), 15), cells);
}

TEST(GlassGear, DownOnlyAtExactlyOneNothingAtZero)
{
    struct Case {
        float g0, g1, g2;
        std::vector<std::pair<std::string, PanelRect>> lamps;
    };
    const PanelRect top{349, 25, 7, 7}, left{342, 15, 7, 7}, right{357, 15, 7, 7};
    const Case cases[] = {
        {1, 0.5f, 0, {{"gear down", top}, {"gear transit", left}}},
        {0, 0, 0, {}},
        {1, 1, 1, {{"gear down", top}, {"gear down", left}, {"gear down", right}}},
        {0.999f, -1, 1.5f, {{"gear transit", top}, {"gear transit", left}, {"gear transit", right}}},
    };
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.g0 << " " << c.g1 << " " << c.g2);
        h.setGear(c.g0, c.g1, c.g2);
        std::vector<std::pair<std::string, PanelRect>> lamps;
        for (const GlassSprite &s : GlassSprites(h.drawFrame()))
            if (s.name.rfind("gear", 0) == 0) lamps.push_back({s.name, s.quad.panel()});
        EXPECT_EQ(lamps, c.lamps);
    }
}
