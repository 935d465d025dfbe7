// The drawing vocabulary on its own: sprite, tint, pivot rotation, the three
// digit fonts and the splash, driven through a probe plug-in built from the
// same sources so every routine can be called with any arguments.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>

#include "AtlasRects.h"
#include "RecordingHarness.h"

namespace {

constexpr unsigned kMaster = 7;  // the texture name the probe's master texture has

struct Probe {
    void (*setPanel)(int, int, float, int);
    void (*setScreen)(int, int);
    void (*setTexture)(unsigned);
    void (*setBaro)(float);
    void (*setText)(const char *);
    const char *(*text)(void);
    void (*drawChunk)(float, float, int, int, float, float, float, float);
    void (*drawBaro)(float, float);
    void (*pString)(float, float);
    void (*pString2)(float, float);
    void (*drawSplash)(void);
    void (*setTint)(void);
    void (*beginPivot)(int, int, float);
    void (*endPivot)(void);
};

HarnessOptions ProbeOptions()
{
    HarnessOptions o;
    o.plugin = OSTREL_PROBE_PATH;
    return o;
}

class Vocabulary : public testing::Test {
protected:
    Vocabulary() : h(ProbeOptions())
    {
        p.setPanel = h.function<decltype(p.setPanel)>("ProbeSetPanel");
        p.setScreen = h.function<decltype(p.setScreen)>("ProbeSetScreen");
        p.setTexture = h.function<decltype(p.setTexture)>("ProbeSetTexture");
        p.setBaro = h.function<decltype(p.setBaro)>("ProbeSetBaro");
        p.setText = h.function<decltype(p.setText)>("ProbeSetText");
        p.text = h.function<decltype(p.text)>("ProbeText");
        p.drawChunk = h.function<decltype(p.drawChunk)>("ProbeDrawChunk");
        p.drawBaro = h.function<decltype(p.drawBaro)>("ProbeDrawBaro");
        p.pString = h.function<decltype(p.pString)>("ProbePString");
        p.pString2 = h.function<decltype(p.pString2)>("ProbePString2");
        p.drawSplash = h.function<decltype(p.drawSplash)>("ProbeDrawSplash");
        p.setTint = h.function<decltype(p.setTint)>("ProbeSetTint");
        p.beginPivot = h.function<decltype(p.beginPivot)>("ProbeBeginPivot");
        p.endPivot = h.function<decltype(p.endPivot)>("ProbeEndPivot");
        h.start();
        // The master texture exists in the context, as after start-up.
        GLuint names[8];
        h.gl().genTextures(8, names);
        p.setTexture(kMaster);
        h.gl().beginFrame();
    }

    // Runs one routine as its own recorded frame.
    const rgl::RecordingGL &Run(const std::function<void()> &f)
    {
        h.gl().beginFrame();
        f();
        return h.gl();
    }

    RecordingHarness h;
    Probe p{};
};

rgl::TexelRect Texels(const AtlasRect &r)
{
    return {float(r.u0), float(r.v0), float(r.u1), float(r.v1)};
}

struct Font {
    const char *name;
    int step, w, h;
    AtlasRect (*cell)(int);
};
const Font kBaroFont{"barometer", 7, 5, 7, BaroDigitCell};
const Font kSmallFont{"small", 4, 3, 5, SmallDigitCell};
const Font kLargeFont{"large", 6, 5, 9, LargeDigitCell};

// The quads of one font draw: cell index (pen position) and digit per quad.
void ExpectGlyphs(const rgl::RecordingGL &gl, const Font &f, double x, double y,
                  const std::string &text)
{
    auto quads = gl.quads();
    size_t q = 0;
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (c < '0' || c > '9') continue;
        ASSERT_LT(q, quads.size()) << f.name << " \"" << text << "\" cell " << i;
        const rgl::Primitive &g = quads[q++];
        EXPECT_TRUE(g.isSprite());
        EXPECT_EQ(g.panel(), (rgl::PanelRect{x + double(f.step) * double(i), y, double(f.w),
                                             double(f.h)}))
            << f.name << " \"" << text << "\" cell " << i;
        EXPECT_EQ(g.texels(), Texels(f.cell(c - '0')))
            << f.name << " \"" << text << "\" cell " << i << ": " << rgl::ToString(g.texels());
    }
    EXPECT_EQ(q, quads.size()) << f.name << " \"" << text << "\": a non-digit drew a quad";
}

}  // namespace

TEST_F(Vocabulary, SpriteCornersFollowTheSpriteOrder)
{
    p.setPanel(10, 20, 1.0f, 0);
    const rgl::RecordingGL &gl = Run([&] {
        p.drawChunk(5, 6, 30, 40, 100 / 1024.0f, 200 / 1024.0f, 130 / 1024.0f, 240 / 1024.0f);
    });
    ASSERT_EQ(gl.quads().size(), 1u);
    const auto v = gl.quads()[0].vertices;
    ASSERT_EQ(v.size(), 4u);
    // (u1, v0) lower right, (u0, v0) lower left, (u0, v1) upper left, (u1, v1) upper right.
    const double expect[4][4] = {
        {45, 26, 130, 200}, {15, 26, 100, 200}, {15, 66, 100, 240}, {45, 66, 130, 240}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(v[i].x, expect[i][0]) << i;
        EXPECT_EQ(v[i].y, expect[i][1]) << i;
        EXPECT_EQ(v[i].tu(), expect[i][2]) << i;
        EXPECT_EQ(v[i].tv(), expect[i][3]) << i;
    }
    // Each vertex preceded by its texture coordinate, single-precision vertices.
    std::vector<std::string> names = {"glBegin"};
    for (int i = 0; i < 4; i++) names.insert(names.end(), {"glTexCoord2f", "glVertex2f"});
    names.push_back("glEnd");
    EXPECT_EQ(gl.names(), names);
}

TEST_F(Vocabulary, MirroredRectanglesKeepTheirCorners)
{
    p.setPanel(0, 0, 1.0f, 0);
    const rgl::RecordingGL &gl = Run([&] {
        p.drawChunk(50, 60, 20, 10, 300 / 1024.0f, 80 / 1024.0f, 280 / 1024.0f, 90 / 1024.0f);
        p.drawChunk(50, 60, 20, 10, 280 / 1024.0f, 90 / 1024.0f, 300 / 1024.0f, 80 / 1024.0f);
    });
    ASSERT_EQ(gl.quads().size(), 2u);
    EXPECT_EQ(gl.quads()[0].texels(), (rgl::TexelRect{300, 80, 280, 90}));  // left-right
    EXPECT_EQ(gl.quads()[1].texels(), (rgl::TexelRect{280, 90, 300, 80}));  // upside down
    for (const rgl::Primitive &q : gl.quads()) {
        EXPECT_EQ(q.panel(), (rgl::PanelRect{50, 60, 20, 10}));
        EXPECT_TRUE(q.isSprite());
    }
}

TEST_F(Vocabulary, SpritePositionsAreSinglePrecisionSums)
{
    p.setPanel(-3, 16777216, 1.0f, 0);
    const rgl::RecordingGL &gl = Run([&] { p.drawChunk(0.25f, 1.0f, 2, 3, 0, 0, 0, 0); });
    ASSERT_EQ(gl.quads().size(), 1u);
    // 16777216 + 1 is not representable in single precision.
    EXPECT_EQ(gl.quads()[0].panel(), (rgl::PanelRect{-2.75, 16777216, 2, 4}));
}

TEST_F(Vocabulary, FontsStepThePenForEveryCharacter)
{
    p.setPanel(10, 20, 1.0f, 0);
    const char *texts[] = {"0123456789", "9876543210", " -1.5", "   0", "-12", "7", "",
                           "1 2 3", "nan", "-inf", ".:;9"};
    for (const char *t : texts) {
        p.setText(t);
        ExpectGlyphs(Run([&] { p.pString(100, 50); }), kSmallFont, 110, 70, t);
        p.setText(t);
        ExpectGlyphs(Run([&] { p.pString2(-4.5f, 0); }), kLargeFont, 5.5, 20, t);
    }
}

TEST_F(Vocabulary, DigitCellsAtBothEndsOfEachStrip)
{
    p.setPanel(0, 0, 1.0f, 0);
    p.setText("7");
    auto q = Run([&] { p.pString(100, 50); }).quads();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].panel(), (rgl::PanelRect{100, 50, 3, 5}));
    EXPECT_EQ(q[0].texels(), (rgl::TexelRect{564, 522, 567, 527}));

    struct End {
        const char *text;
        bool large;
        rgl::TexelRect cell;
    } ends[] = {{"0", false, {564, 480, 567, 485}}, {"9", false, {564, 534, 567, 539}},
                {"0", true, {240, 460, 245, 469}},  {"9", true, {240, 541, 245, 550}}};
    for (const End &e : ends) {
        p.setText(e.text);
        auto g = Run([&] { e.large ? p.pString2(0, 0) : p.pString(0, 0); }).quads();
        ASSERT_EQ(g.size(), 1u);
        EXPECT_EQ(g[0].texels(), e.cell) << e.text << (e.large ? " large" : " small");
    }
    // Barometer strip: 0 at the left end, 9 at the right.
    p.setBaro(0.09f);  // "   9"
    auto b = Run([&] { p.drawBaro(0, 0); }).quads();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].texels(), (rgl::TexelRect{80, 342, 85, 349}));
    p.setBaro(0.0f);  // "   0"
    b = Run([&] { p.drawBaro(0, 0); }).quads();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].texels(), (rgl::TexelRect{26, 342, 31, 349}));
}

struct BaroCase {
    float baro;
    const char *text;
};

class BaroReadout : public Vocabulary, public testing::WithParamInterface<BaroCase> {};

TEST_P(BaroReadout, FormatsTruncatedHundredthsAndDrawsEachCell)
{
    p.setPanel(3, 4, 1.0f, 0);
    p.setBaro(GetParam().baro);
    const rgl::RecordingGL &gl = Run([&] { p.drawBaro(200, 100); });
    EXPECT_STREQ(p.text(), GetParam().text);
    ExpectGlyphs(gl, kBaroFont, 203, 104, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BaroReadout,
    testing::Values(BaroCase{29.92f, "2992"}, BaroCase{30.005f, "3000"}, BaroCase{9.5f, " 950"},
                    BaroCase{100.0f, "10000"}, BaroCase{-5.0f, "-500"}, BaroCase{0.004f, "   0"},
                    BaroCase{NAN, "   0"}, BaroCase{INFINITY, "2147483647"},
                    BaroCase{-INFINITY, "-2147483648"}, BaroCase{1e30f, "2147483647"}));

TEST_F(Vocabulary, BaroCellsTakeOnePenStepPerCharacter)
{
    p.setPanel(0, 0, 1.0f, 0);
    p.setBaro(100.0f);
    auto q = Run([&] { p.drawBaro(10, 0); }).quads();
    ASSERT_EQ(q.size(), 5u);
    EXPECT_EQ(q[4].panel().x, 38.0);  // the fifth cell at x + 28
    p.setBaro(9.5f);
    q = Run([&] { p.drawBaro(10, 0); }).quads();
    ASSERT_EQ(q.size(), 3u);
    EXPECT_EQ(q[0].panel().x, 17.0);  // the space takes the first cell
}

struct SplashCase {
    int w, h;
    int left, bottom;
};

class SplashGeometry : public Vocabulary, public testing::WithParamInterface<SplashCase> {};

TEST_P(SplashGeometry, CentredInScreenPixels)
{
    p.setPanel(100, 200, 0.5f, 1);  // none of these play a part
    p.setScreen(GetParam().w, GetParam().h);
    const rgl::RecordingGL &gl = Run([&] { p.drawSplash(); });
    ASSERT_EQ(gl.quads().size(), 1u);
    const rgl::Primitive q = gl.quads()[0];
    EXPECT_TRUE(q.isSprite());
    EXPECT_EQ(q.panel(), (rgl::PanelRect{double(GetParam().left), double(GetParam().bottom), 200,
                                         75}));
    EXPECT_EQ(q.texels(), Texels(ATLAS_SPLASH));
    EXPECT_EQ(q.color, (rgl::Color{1.0f, 1.0f, 1.0f, 0.8f}));
    EXPECT_EQ(q.texture, kMaster);
    EXPECT_EQ(gl.names()[0], "glColor4f");
    EXPECT_EQ(gl.names()[1], "XPLMBindTexture2d");
    EXPECT_EQ(gl.count("glVertex2d"), 4);
    EXPECT_EQ(gl.count("glEnable"), 0) << "texturing is the frame's to turn on";
}

INSTANTIATE_TEST_SUITE_P(Screens, SplashGeometry,
                         testing::Values(SplashCase{1024, 768, 412, 538},
                                         SplashCase{1920, 1080, 860, 772},
                                         SplashCase{1365, 768, 582, 538},
                                         SplashCase{1680, 1050, 740, 748},
                                         // 3 x (40 / 4) - 37.5 = -7.5 truncates toward zero.
                                         SplashCase{100, 40, -50, -7},
                                         SplashCase{1, 3, -100, -37}));

TEST_F(Vocabulary, TintByCockpitLights)
{
    struct {
        int lit;
        float alpha;
        rgl::Color color;
    } cases[] = {{0, 1.0f, {1.0f, 1.0f, 1.0f, 1.0f}},
                 {0, 0.299999923f, {1.0f, 1.0f, 1.0f, 0.299999923f}},
                 {1, 0.5f, {0.7f, 0.35f, 0.4f, 0.5f}},
                 {-3, 1.0f, {0.7f, 0.35f, 0.4f, 1.0f}}};
    for (const auto &c : cases) {
        p.setPanel(0, 0, c.alpha, c.lit);
        const rgl::RecordingGL &gl = Run([&] { p.setTint(); });
        EXPECT_EQ(gl.names(), std::vector<std::string>{"glColor4f"});
        EXPECT_EQ(gl.color(), c.color) << "lit " << c.lit;
    }
}

TEST_F(Vocabulary, PivotTurnsAboutThePanelPoint)
{
    p.setPanel(10, 20, 1.0f, 0);
    const rgl::RecordingGL &gl = Run([&] {
        p.beginPivot(50, 40, 90.0f);
        p.drawChunk(50, 40, 30, 2, 0, 0, 0, 0);  // a needle along +x from the pivot
        p.endPivot();
    });
    EXPECT_EQ(gl.names(), (std::vector<std::string>{
                              "glPushMatrix", "glTranslated", "glRotatef", "glTranslated",
                              "glBegin", "glTexCoord2f", "glVertex2f", "glTexCoord2f",
                              "glVertex2f", "glTexCoord2f", "glVertex2f", "glTexCoord2f",
                              "glVertex2f", "glEnd", "glPopMatrix"}));
    EXPECT_EQ(gl.calls()[1].args, (std::vector<double>{60, 60, 0}));
    EXPECT_EQ(gl.calls()[2].args, (std::vector<double>{90, 0, 0, 1}));
    EXPECT_EQ(gl.calls()[3].args, (std::vector<double>{-60, -60, 0}));
    ASSERT_EQ(gl.quads().size(), 1u);
    const rgl::Primitive q = gl.quads()[0];
    EXPECT_EQ(q.depth, 1);
    // Counter-clockwise: the needle now points up from the pivot at (60, 60).
    rgl::Box s = q.screen();
    EXPECT_NEAR(s.x0, 58, 1e-9);
    EXPECT_NEAR(s.x1, 60, 1e-9);
    EXPECT_NEAR(s.y0, 60, 1e-9);
    EXPECT_NEAR(s.y1, 90, 1e-9);
    EXPECT_EQ(gl.depth(), 0);
    EXPECT_EQ(gl.maxDepth(), 1);
}

TEST_F(Vocabulary, PivotAnglesAreUsedAsTheyCome)
{
    p.setPanel(0, 0, 1.0f, 0);
    for (float theta : {450.0f, -720.5f, 0.0f}) {
        const rgl::RecordingGL &gl = Run([&] {
            p.beginPivot(1, 2, theta);
            p.endPivot();
        });
        EXPECT_EQ(gl.callsTo("glRotatef")[0].args[0], double(theta));
    }
}

TEST_F(Vocabulary, EachRoutineChangesOnlyTheStateItNames)
{
    p.setPanel(10, 20, 0.5f, 1);
    p.setBaro(29.92f);
    struct Case {
        const char *name;
        std::function<void()> run;
        bool bindsAndTextures;  // binds the master texture and turns texturing on
        bool setsColour;
    } cases[] = {
        {"DrawChunk", [&] { p.drawChunk(1, 2, 3, 4, 0, 0, 0.5f, 0.5f); }, false, false},
        {"DrawBaro", [&] { p.drawBaro(1, 2); }, false, false},
        {"pString", [&] { p.setText("12"), p.pString(1, 2); }, true, false},
        {"pString2", [&] { p.setText("12"), p.pString2(1, 2); }, true, false},
        {"pString empty", [&] { p.setText(""), p.pString(1, 2); }, true, false},
        {"DrawSplash", [&] { p.drawSplash(); }, false, true},
        {"SetTint", [&] { p.setTint(); }, false, true},
    };
    for (const Case &c : cases) {
        // Texturing off and another texture bound, so any change shows.
        h.gl().setCap(GL_TEXTURE_2D, false);
        h.gl().bindTexture(GL_TEXTURE_2D, 3);
        h.gl().setColor({0.25f, 0.5f, 0.75f, 1.0f});
        const auto capsBefore = h.gl().caps();
        const rgl::RecordingGL &gl = Run(c.run);

        auto caps = gl.caps();
        if (c.bindsAndTextures) {
            EXPECT_TRUE(caps[GL_TEXTURE_2D]) << c.name;
            EXPECT_EQ(gl.boundTexture(), kMaster) << c.name;
            ASSERT_GE(gl.calls().size(), 2u) << c.name;
            EXPECT_EQ(gl.calls()[0].name, "XPLMBindTexture2d") << c.name << ": binds first";
            EXPECT_EQ(gl.calls()[0].args, (std::vector<double>{kMaster, 0})) << c.name;
            EXPECT_EQ(gl.calls()[1].name, "glEnable") << c.name;
            caps[GL_TEXTURE_2D] = false;
        } else if (std::string(c.name) == "DrawSplash") {
            EXPECT_EQ(gl.boundTexture(), kMaster);
        } else {
            EXPECT_EQ(gl.boundTexture(), 3u) << c.name << " binds nothing";
        }
        EXPECT_EQ(caps, capsBefore) << c.name;
        if (!c.setsColour) {
            EXPECT_EQ(gl.color(), (rgl::Color{0.25f, 0.5f, 0.75f, 1.0f})) << c.name;
        }
        EXPECT_EQ(gl.depth(), 0) << c.name;
        EXPECT_EQ(gl.maxDepth(), 0) << c.name;
        for (const rgl::Primitive &q : gl.quads()) {
            if (c.bindsAndTextures) {
                EXPECT_TRUE(q.textured()) << c.name;
            }
        }
    }
}
