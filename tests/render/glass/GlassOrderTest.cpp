// The Glass frame as a whole: what is drawn in which order, where, with which
// state, and the attitude window's scissor box.

#include <gtest/gtest.h>

#include "GlassFrame.h"

using rgl::PanelRect;

namespace {

// Every optional row lit: flight director, brakes, stall, all three markers
// (only the outer shows), gear down / in transit, DME.
void LightEverything(GlassHarness &h)
{
    h.setInt(dr::FDmode, 1);
    h.setFloat(dr::Brakes, 1.0f);
    h.setInt(dr::Stalled, 1);
    h.setInt(dr::OM, 1);
    h.setInt(dr::MM, 1);
    h.setInt(dr::IM, 1);
    h.setGear(1.0f, 0.5f, 0.25f);
    h.setInt(dr::Nav1DME, 1);
    h.setFloat(dr::Nav1DMEdist, 12.34f);
    h.setFloat(dr::Nav1DMEtime, 5.678f);
}

}  // namespace

TEST(GlassOrder, QuietFrameDrawsTheFixedRowsInPaintersOrder)
{
    GlassHarness h;
    const rgl::RecordingGL &gl = h.drawFrame();
    std::vector<std::string> expected = {
        "horizon",     "roll pointer",   "aircraft",        "vs scale",   "vs needle",
        "plate",       "speed box",      "alt box",         "heading card", "course pointer",
        "deviation scale", "cdi bar",    "hdg marker",      "hsi aircraft", "heading box",
        "ball",        "gs pointer",
    };
    EXPECT_EQ(Names(GlassSprites(gl)), expected);
    EXPECT_TRUE(gl.showing(ATLAS_GLASS_FD_BAR).empty());
    EXPECT_TRUE(Glyphs(gl, 15).empty()) << "no DME readout without DME";
}

TEST(GlassOrder, EverythingLitIsTwentyFourSpritesAtTheirPlaces)
{
    GlassHarness h;
    LightEverything(h);
    const rgl::RecordingGL &gl = h.drawFrame();
    auto sprites = GlassSprites(gl);

    struct Row {
        const char *name;
        PanelRect rect;
    };
    const Row rows[] = {
        {"horizon", {175, 30, 128, 130}},
        {"roll pointer", {235, 154, 9, 7}},
        {"fd bar", {207, 87, 64, 10}},
        {"aircraft fd", {217.5, 87, 43, 10}},
        {"vs scale", {351, 46, 16, 97}},
        {"vs needle", {336, 93, 39, 3}},
        {"plate", {0, 0, double(GLASS_PANEL.w), double(GLASS_PANEL.h)}},
        {"speed box", {145, 81, 27, 27}},
        {"alt box", {307, 79, 41, 31}},
        {"heading card", {18, 37, 112, 112}},
        {"course pointer", {69, 40.5, 10, 105}},
        {"deviation scale", {45, 90, 58, 6}},
        {"cdi bar", {73, 66, 2, 50}},
        {"hdg marker", {68, 145.5, 12, 7}},
        {"hsi aircraft", {65, 83.5, 18, 19}},
        {"heading box", {51, 150, 47, 14}},
        {"ball", {232.5, 12.5, 13, 13}},
        {"brake light", {297, 161, 41, 10}},
        {"stall light", {340, 158, 26, 13}},
        {"om lamp", {144, 161, 11, 9}},
        {"gs pointer", {295, 91.5, 6, 5}},
        {"gear down", {349, 25, 7, 7}},
        {"gear transit", {342, 15, 7, 7}},
        {"gear transit", {357, 15, 7, 7}},
    };
    ASSERT_EQ(sprites.size(), std::size(rows)) << ::testing::PrintToString(Names(sprites));
    for (size_t i = 0; i < sprites.size(); i++) {
        EXPECT_EQ(sprites[i].name, rows[i].name) << "row " << i;
        EXPECT_EQ(sprites[i].quad.panel(), rows[i].rect) << rows[i].name;
        EXPECT_TRUE(sprites[i].quad.isSprite()) << rows[i].name;
    }
}

TEST(GlassOrder, ReadoutsAreDrawnAtTheirPlaceInTheOrder)
{
    GlassHarness h;
    LightEverything(h);
    const rgl::RecordingGL &gl = h.drawFrame();
    auto sprites = GlassSprites(gl);
    auto at = [&](const std::string &name) { return Named(sprites, name).at(0).callIndex; };

    // Heading cells between the heading box and the ball; DME cells between
    // the glideslope pointer and the gear lamps.
    for (const auto &[q, d] : GlyphQuads(gl, 156)) {
        EXPECT_GT(q.callIndex, at("heading box"));
        EXPECT_LT(q.callIndex, at("ball"));
    }
    for (const auto &[q, d] : GlyphQuads(gl, 15)) {
        EXPECT_GT(q.callIndex, at("gs pointer"));
        EXPECT_LT(q.callIndex, at("gear down"));
    }
    EXPECT_EQ(Glyphs(gl, 156).size(), 3u);
    EXPECT_EQ(Glyphs(gl, 15).size(), 6u);  // 12.3 and 5.68
}

TEST(GlassOrder, StateOnReturnAndAroundTheRows)
{
    GlassHarness h;
    LightEverything(h);
    const rgl::RecordingGL &gl = h.drawFrame();
    auto sprites = GlassSprites(gl);
    ASSERT_FALSE(sprites.empty());
    const int start = gl.startDepth();
    ASSERT_FALSE(gl.generatedTextures().empty());
    const unsigned master = gl.generatedTextures().front();

    for (const GlassSprite &s : sprites) {
        SCOPED_TRACE(s.name);
        const bool attitude = s.name == "horizon" || s.name == "roll pointer";
        EXPECT_EQ(s.quad.scissor.has_value(), attitude);
        EXPECT_TRUE(s.quad.textured());
        EXPECT_EQ(s.quad.texture, master);
        EXPECT_EQ(s.quad.color, (rgl::Color{1, 1, 1, 1}));
        const bool pivoted = attitude || s.name == "fd bar" || s.name == "vs needle" ||
                             s.name == "heading card" || s.name == "course pointer" ||
                             s.name == "deviation scale" || s.name == "cdi bar" ||
                             s.name == "hdg marker";
        EXPECT_EQ(s.quad.depth, start + (pivoted ? 2 : 1));
    }
    EXPECT_EQ(gl.depth(), start);
    EXPECT_EQ(gl.minDepth(), start);
    EXPECT_FALSE(gl.enabled(GL_SCISSOR_TEST));
    EXPECT_TRUE(gl.enabled(GL_TEXTURE_2D));
    EXPECT_EQ(gl.boundTexture(), master);
    EXPECT_EQ(gl.color(), (rgl::Color{1, 1, 1, 1}));
}

// Line smoothing, line width and the smoothing hint are not the simulator's
// to reset: the frame leaves them as it found them, whatever that was.
TEST(GlassOrder, LineStateTheSimulatorDoesNotManageIsPutBack)
{
    struct Case {
        bool smooth;
        float width;
        GLenum hint;
    } cases[] = {{false, 1.0f, GL_DONT_CARE}, {true, 2.5f, GL_FASTEST}, {false, 4.0f, GL_NICEST}};
    GlassHarness h;
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.smooth << " " << c.width << " " << c.hint);
        c.smooth ? glEnable(GL_LINE_SMOOTH) : glDisable(GL_LINE_SMOOTH);
        glLineWidth(c.width);
        glHint(GL_LINE_SMOOTH_HINT, c.hint);
        const rgl::RecordingGL &gl = h.drawFrame();
        ASSERT_FALSE(gl.lines().empty());
        EXPECT_TRUE(gl.lines().front().enabled(GL_LINE_SMOOTH));
        EXPECT_EQ(gl.enabled(GL_LINE_SMOOTH), c.smooth);
        EXPECT_EQ(gl.lineWidth(), c.width);
        EXPECT_EQ(gl.hint(GL_LINE_SMOOTH_HINT), std::optional<GLenum>(c.hint));
        EXPECT_EQ(gl.attribDepth(), 0);
        EXPECT_TRUE(h.gl().takeErrors().empty());
    }
}

TEST(GlassOrder, TextureAndTintAreRestoredRightBeforeTheReadoutBoxes)
{
    // The bands and tapes leave texturing off and a colour of their own; the
    // two calls in front of the first box put both back.
    GlassHarness h;
    h.setInt(dr::Lit, 1);
    const rgl::RecordingGL &gl = h.drawFrame();
    auto box = gl.showing(ATLAS_GLASS_SPEED_BOX);
    ASSERT_EQ(box.size(), 1u);
    size_t i = box[0].callIndex;
    ASSERT_GE(i, 2u);
    const rgl::Call &enable = gl.calls()[i - 2];
    const rgl::Call &colour = gl.calls()[i - 1];
    EXPECT_EQ(enable.name, "glEnable");
    EXPECT_EQ(enable.args.at(0), GL_TEXTURE_2D);
    EXPECT_EQ(colour.name, "glColor4f");
    EXPECT_NEAR(colour.args.at(0), 0.7, 1e-6);
    EXPECT_NEAR(colour.args.at(1), 0.35, 1e-6);
    EXPECT_NEAR(colour.args.at(2), 0.4, 1e-6);
    EXPECT_EQ(colour.args.at(3), 1.0);
}

TEST(GlassOrder, NightTintAndTransparencyColourEverySprite)
{
    GlassHarness h;
    h.setInt(dr::Lit, 1);
    h.press(cmd::Alpha);  // 0.9
    const rgl::RecordingGL &gl = h.drawFrame();
    const rgl::Color night{0.7f, 0.35f, 0.4f, 0.9f};
    for (const GlassSprite &s : GlassSprites(gl)) EXPECT_EQ(s.quad.color, night) << s.name;
    auto cells = GlyphQuads(gl, 156);
    EXPECT_EQ(cells.size(), 3u);
    for (const auto &[q, d] : cells) EXPECT_EQ(q.color, night) << "heading digit " << d;
}

TEST(GlassScissor, DoubleScaleMovedPanel)
{
    GlassHarness h;
    for (int i = 0; i < 5; i++) h.press(cmd::Larger);
    h.drawFrame();
    // Grab the panel near its lower-left corner and move it by (201, 101)
    // pixels: 100 by 50 panel units. Five steps of 0.2 leave the scale a hair
    // above 2, so a move of exactly (200, 100) pixels would truncate to 99, 49.
    h.drag(10, 10, 211, 111);
    const rgl::RecordingGL &gl = h.drawFrame();
    ASSERT_FLOAT_EQ(FrameScale(gl), 2.0f);
    ASSERT_EQ(FrameOrigin(gl).x, 100);
    ASSERT_EQ(FrameOrigin(gl).y, 50);

    auto horizon = Named(GlassSprites(gl), "horizon");
    ASSERT_EQ(horizon.size(), 1u);
    ASSERT_TRUE(horizon[0].scissor.has_value());
    EXPECT_EQ(*horizon[0].scissor, (rgl::Scissor{566, 164, 224, 260}));
    ASSERT_FALSE(gl.scissors().empty());
    EXPECT_EQ(gl.scissors().front(), (rgl::Scissor{566, 164, 224, 260}));
}

TEST(GlassScissor, AwkwardScaleTruncatesEachNumberOnItsOwn)
{
    GlassHarness h;
    h.press(cmd::Larger);
    h.press(cmd::Larger);
    h.drawFrame();
    h.drag(5, 5, 15, 35);  // window moved by (10, 30) pixels
    const rgl::RecordingGL &gl = h.drawFrame();
    const float s = FrameScale(gl);
    ASSERT_NEAR(s, 1.4f, 1e-6);
    const Origin o = FrameOrigin(gl);
    ASSERT_EQ(o.x, 7);   // trunc(10 / 1.4)
    ASSERT_EQ(o.y, 21);  // trunc(30 / 1.4)

    // trunc(190 x 1.4) = 266, trunc(53 x 1.4) = 74, trunc(112 x 1.4) = 156,
    // trunc(130 x 1.4) = 182; adding separately truncated parts would give
    // 265 and 73.
    auto horizon = Named(GlassSprites(gl), "horizon");
    ASSERT_EQ(horizon.size(), 1u);
    ASSERT_TRUE(horizon[0].scissor.has_value());
    EXPECT_EQ(*horizon[0].scissor, (rgl::Scissor{266, 74, 156, 182}));
    EXPECT_EQ(*horizon[0].scissor,
              (rgl::Scissor{int((o.x + 183) * s), int((o.y + 32) * s), int(112 * s), int(130 * s)}));
}
