// One GA frame as a whole: what is drawn in which order, under which tint,
// bind and transforms; the readout and the lamps.

#include <gtest/gtest.h>

#include <vector>

#include "GaPanelFixture.h"

namespace {

struct Row {
    rgl::PanelRect panel;
    AtlasRect atlas;
    int depth;  // 2 inside a pivot rotation, 1 for the panel's own transform
};

// Every row lit: Baro 29.92, stall, brakes, all markers, gear (1, 0.5, 1).
const Row kAllLit[] = {
    {{172, 184, 128, 100}, ATLAS_GA_HORIZON_WINDOW, 2},
    {{171, 168, 128, 128}, ATLAS_GA_HORIZON_RING, 2},
    {{0, 0, double(GA_PANEL.w), double(GA_PANEL.h)}, ATLAS_GA_PLATE, 1},
    {{205, 202, 62, 30}, ATLAS_GA_AIRCRAFT, 1},
    {{155, 150, 164, 158}, ATLAS_GA_ATTITUDE_BEZEL, 1},
    {{15, 150, 140, 140}, ATLAS_GA_AIRSPEED_DIAL, 1},
    {{78, 219, 10, 63}, ATLAS_GA_AIRSPEED_NEEDLE, 2},
    {{320, 150, 142, 141}, ATLAS_GA_ALTIMETER_DIAL, 1},
    {{377, 197, 5, 7}, BaroDigitCell(2), 1},
    {{384, 197, 5, 7}, BaroDigitCell(9), 1},
    {{391, 197, 5, 7}, BaroDigitCell(9), 1},
    {{398, 197, 5, 7}, BaroDigitCell(2), 1},
    {{386, 209, 10, 56}, ATLAS_GA_ALT_THOUSANDS_NEEDLE, 2},
    {{387, 205, 8, 67}, ATLAS_GA_ALT_HUNDREDS_NEEDLE, 2},
    {{15, 10, 140, 140}, ATLAS_GA_TURN_DIAL, 1},
    {{43, 79, 81, 16}, ATLAS_GA_TURN_AIRCRAFT, 2},
    {{48, 50, 70, 17}, ATLAS_GA_INCLINOMETER, 1},
    {{77, 51, 13, 13}, ATLAS_BALL, 1},
    {{165, 10, 140, 140}, ATLAS_GA_HEADING_DIAL, 1},
    {{177, 28, 112, 112}, ATLAS_HEADING_CARD, 2},
    {{228, 133, 10, 7}, ATLAS_GA_HEADING_BUG, 2},
    {{176, 25, 114, 116}, ATLAS_GA_HEADING_COVER, 1},
    {{320, 10, 140, 140}, ATLAS_GA_VSI_DIAL, 1},
    {{383, 77, 10, 59}, ATLAS_GA_VSI_NEEDLE, 2},
    {{330, 288, 35, 22}, ATLAS_GA_STALL_HOUSING, 1},
    {{335, 293, 26, 13}, ATLAS_STALL_LIGHT, 1},
    {{375, 295, 45, 14}, ATLAS_GA_BRAKE_HOUSING, 1},
    {{378, 297, 41, 10}, ATLAS_BRAKE_LIGHT, 1},
    {{56, 290, 60, 21}, ATLAS_GA_MARKER_HOUSING, 1},
    {{69, 297, 11, 9}, ATLAS_OM_LAMP, 1},
    {{308, 127, 7, 7}, ATLAS_GEAR_DOWN, 1},
    {{301, 111, 7, 7}, ATLAS_GEAR_TRANSIT, 1},
    {{316, 111, 7, 7}, ATLAS_GEAR_DOWN, 1},
};

void LightEverything(PluginHarness &h)
{
    h.setFloat(dr::Baro, 29.92f);
    h.setInt(dr::Stalled, 1);
    h.setFloat(dr::Brakes, 1.0f);
    h.setInt(dr::OM, 1);
    h.setInt(dr::MM, 1);
    h.setInt(dr::IM, 1);
    h.setGear(1.0f, 0.5f, 1.0f);
}

// Barometer cells of the frame as (x, digit), left to right.
std::vector<std::pair<double, int>> BaroCells(const rgl::RecordingGL &gl)
{
    std::vector<std::pair<double, int>> cells;
    for (const rgl::Primitive &q : gl.quads()) {
        rgl::TexelRect t = q.texels();
        if (t.v0 == 342 && t.v1 == 349 && t.u1 <= ATLAS_FONT_BARO.u1)
            cells.push_back({q.panel().x, int(t.u0 - 26) / 6});
    }
    return cells;
}

}  // namespace

TEST_F(GaPanel, DrawsEveryRowInOrderUnderOneTintAndOneBind)
{
    LightEverything(h);
    const rgl::RecordingGL &gl = frame();

    auto quads = gl.quads();
    ASSERT_EQ(quads.size(), std::size(kAllLit));
    ASSERT_EQ(gl.generatedTextures().size(), 1u);
    const unsigned atlas = gl.generatedTextures()[0];
    for (size_t i = 0; i < quads.size(); i++) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_TRUE(quads[i].isSprite());
        EXPECT_EQ(quads[i].panel(), kAllLit[i].panel);
        const AtlasRect &a = kAllLit[i].atlas;
        EXPECT_EQ(quads[i].texels(), (rgl::TexelRect{float(a.u0), float(a.v0), float(a.u1), float(a.v1)}));
        EXPECT_EQ(quads[i].depth, kAllLit[i].depth);
        EXPECT_EQ(quads[i].texture, atlas);
        EXPECT_EQ(quads[i].color, (rgl::Color{1, 1, 1, 1}));
    }

    // Scale, tint and bind come first, once each; the matrix ends as it began.
    std::vector<std::string> names = gl.names();
    std::vector<std::string> head;
    for (const std::string &n : names)
        if (n == "glPushMatrix" || n == "glScalef" || n == "glColor4f" || n == "XPLMBindTexture2d") head.push_back(n);
    ASSERT_GE(head.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(head.begin(), head.begin() + 4),
              (std::vector<std::string>{"glPushMatrix", "glScalef", "glColor4f", "XPLMBindTexture2d"}));
    EXPECT_EQ(gl.count("glColor4f"), 1);
    EXPECT_EQ(gl.binds(), std::vector<unsigned>{atlas});
    EXPECT_EQ(gl.count("glPushMatrix"), 9);
    EXPECT_EQ(gl.count("glPopMatrix"), 9);
    EXPECT_EQ(gl.count("glRotatef"), 8);
    EXPECT_EQ(gl.maxDepth(), 2);
    EXPECT_EQ(gl.depth(), 0);
    EXPECT_EQ(gl.boundTexture(), atlas);
}

TEST_F(GaPanel, NothingLitDrawsTheTwentyThreeFixedSprites)
{
    h.setFloat(dr::Baro, 29.92f);
    const rgl::RecordingGL &gl = frame();
    EXPECT_EQ(gl.quads().size(), 23u + 4u);
    for (const AtlasRect &lamp : {ATLAS_STALL_LIGHT, ATLAS_BRAKE_LIGHT, ATLAS_OM_LAMP, ATLAS_MM_LAMP,
                                  ATLAS_IM_LAMP, ATLAS_GEAR_DOWN, ATLAS_GEAR_TRANSIT})
        EXPECT_TRUE(gl.showing(lamp).empty());
}

TEST_F(GaPanel, NightTintAndOpacityReachEverySprite)
{
    LightEverything(h);
    h.setInt(dr::Lit, 1);
    h.press(cmd::Alpha);
    const rgl::RecordingGL &gl = frame();
    const rgl::Color night{0.7f, 0.35f, 0.4f, 1.0f - 0.1f};
    ASSERT_EQ(gl.quads().size(), std::size(kAllLit));
    for (const rgl::Primitive &q : gl.quads()) EXPECT_EQ(q.color, night);
    EXPECT_EQ(gl.count("glColor4f"), 1);
    EXPECT_EQ(gl.color(), night);
}

// Each pivot sits at its instrument's point wherever the panel is placed and
// whatever its scale.
TEST_F(GaPanel, PivotsFollowAMovedAndScaledPanel)
{
    h.press(cmd::Larger);
    h.drag(10, 10, 130, 70);
    const rgl::RecordingGL &gl = frame();
    rgl::PanelRect plate = OnlyQuad(gl, ATLAS_GA_PLATE).panel();
    const double XO = plate.x, YO = plate.y;
    ASSERT_NE(XO, 0.0);

    auto scales = gl.callsTo("glScalef");
    ASSERT_EQ(scales.size(), 1u);
    EXPECT_EQ(scales[0].args, (std::vector<double>{1.2f, 1.2f, 1.0}));

    const int pivots[8][2] = {{236, 232}, {83, 224}, {391, 225}, {391, 225},
                              {82, 83},   {233, 84}, {233, 84},  {387, 82}};
    auto translations = gl.callsTo("glTranslated");
    ASSERT_EQ(translations.size(), 16u);
    for (int i = 0; i < 8; i++) {
        SCOPED_TRACE("pivot " + std::to_string(i));
        EXPECT_EQ(translations[2 * i].args, (std::vector<double>{XO + pivots[i][0], YO + pivots[i][1], 0}));
        EXPECT_EQ(translations[2 * i + 1].args,
                  (std::vector<double>{-pivots[i][0] - XO, -pivots[i][1] - YO, 0}));
    }
    EXPECT_EQ(OnlyQuad(gl, ATLAS_GA_AIRSPEED_NEEDLE).panel(), (rgl::PanelRect{XO + 78, YO + 219, 10, 63}));
}

// The readout right-aligned in four cells of 7 units from (377, 197); a
// blank cell keeps its place, a fifth digit runs on to the right.
TEST_F(GaPanel, BarometerReadout)
{
    using Cells = std::vector<std::pair<double, int>>;
    const struct {
        float baro;
        Cells cells;
    } cases[] = {
        {29.92f, {{377, 2}, {384, 9}, {391, 9}, {398, 2}}},
        {30.005f, {{377, 3}, {384, 0}, {391, 0}, {398, 0}}},  // 3000.5 truncated
        {9.5f, {{384, 9}, {391, 5}, {398, 0}}},
        {100.0f, {{377, 1}, {384, 0}, {391, 0}, {398, 0}, {405, 0}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.baro);
        h.setFloat(dr::Baro, c.baro);
        const rgl::RecordingGL &gl = frame();
        EXPECT_EQ(BaroCells(gl), c.cells);
        for (const rgl::Primitive &q : gl.quads()) {
            if (q.texels().v0 == 342 && q.texels().u1 <= ATLAS_FONT_BARO.u1) {
                EXPECT_EQ(q.panel().y, 197);
            }
        }
    }
}

TEST_F(GaPanel, AnnunciatorLamps)
{
    const struct {
        int stalled;
        float brakes;
        int om, mm, im;
        std::vector<AtlasRect> lit;
    } cases[] = {
        {0, 0.0f, 0, 0, 0, {}},
        {1, 0.0f, 0, 0, 0, {ATLAS_STALL_LIGHT}},
        {-1, 0.0f, 0, 0, 0, {ATLAS_STALL_LIGHT}},
        {0, 0.01f, 0, 0, 0, {ATLAS_BRAKE_LIGHT}},
        {0, -0.5f, 0, 0, 0, {ATLAS_BRAKE_LIGHT}},
        {0, 0.0f, 1, 1, 1, {ATLAS_OM_LAMP}},
        {0, 0.0f, 0, 1, 1, {ATLAS_MM_LAMP}},
        {0, 0.0f, 0, 0, 1, {ATLAS_IM_LAMP}},
        {0, 0.0f, 2, 0, 0, {ATLAS_OM_LAMP}},
    };
    const AtlasRect lamps[] = {ATLAS_STALL_LIGHT, ATLAS_BRAKE_LIGHT, ATLAS_OM_LAMP, ATLAS_MM_LAMP,
                               ATLAS_IM_LAMP};
    for (size_t i = 0; i < std::size(cases); i++) {
        const auto &c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        h.setInt(dr::Stalled, c.stalled);
        h.setFloat(dr::Brakes, c.brakes);
        h.setInt(dr::OM, c.om);
        h.setInt(dr::MM, c.mm);
        h.setInt(dr::IM, c.im);
        const rgl::RecordingGL &gl = frame();
        for (const AtlasRect &lamp : lamps) {
            bool expected = false;
            for (const AtlasRect &l : c.lit) expected |= l.u0 == lamp.u0 && l.v0 == lamp.v0;
            EXPECT_EQ(gl.showing(lamp).size(), expected ? 1u : 0u) << lamp.u0 << "," << lamp.v0;
        }
        // Housings stay, and every lamp is drawn over its housing.
        EXPECT_EQ(gl.showing(ATLAS_GA_STALL_HOUSING).size(), 1u);
        EXPECT_EQ(gl.showing(ATLAS_GA_BRAKE_HOUSING).size(), 1u);
        EXPECT_EQ(gl.showing(ATLAS_GA_MARKER_HOUSING).size(), 1u);
    }
}

// Down lamp only at exactly 1, transit lamp for anything else but 0.
TEST_F(GaPanel, GearLamps)
{
    h.setGear(1.0f, 0.999f, 0.0f);
    const rgl::RecordingGL &gl = frame();
    auto down = gl.showing(ATLAS_GEAR_DOWN), transit = gl.showing(ATLAS_GEAR_TRANSIT);
    ASSERT_EQ(down.size(), 1u);
    ASSERT_EQ(transit.size(), 1u);
    EXPECT_EQ(down[0].panel(), (rgl::PanelRect{308, 127, 7, 7}));
    EXPECT_EQ(transit[0].panel(), (rgl::PanelRect{301, 111, 7, 7}));

    h.setGear(0.0f, 1.0f, -0.25f);
    const rgl::RecordingGL &again = frame();
    down = again.showing(ATLAS_GEAR_DOWN), transit = again.showing(ATLAS_GEAR_TRANSIT);
    ASSERT_EQ(down.size(), 1u);
    ASSERT_EQ(transit.size(), 1u);
    EXPECT_EQ(down[0].panel(), (rgl::PanelRect{301, 111, 7, 7}));
    EXPECT_EQ(transit[0].panel(), (rgl::PanelRect{316, 111, 7, 7}));
}
