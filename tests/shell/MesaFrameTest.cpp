// One real frame through Mesa: the texture upload, the blend and texture
// state of the frame callback and the splash, read back as pixels.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <vector>

#include "MesaHarness.h"

namespace {

constexpr float kBg[3] = {0.2f, 0.4f, 0.6f};

int Expected(int texel, float srcAlpha, float bg)
{
    return int(std::lround(texel * srcAlpha + bg * 255.0f * (1.0f - srcAlpha)));
}

// An uncompressed 24-bit bottom-up TGA whose texel (u, v) is red u & 255,
// green v, blue u >> 8; returns its texels as RGB rows in file order.
std::vector<uint8_t> WriteTga24(const std::filesystem::path &to, int w, int h)
{
    std::vector<uint8_t> file(18, 0), rgb;
    file[2] = 2;
    file[12] = uint8_t(w & 255), file[13] = uint8_t(w >> 8);
    file[14] = uint8_t(h & 255), file[15] = uint8_t(h >> 8);
    file[16] = 24;
    for (int v = 0; v < h; v++)
        for (int u = 0; u < w; u++) {
            const uint8_t r = uint8_t(u & 255), g = uint8_t(v), b = uint8_t(u >> 8);
            file.insert(file.end(), {b, g, r});
            rgb.insert(rgb.end(), {r, g, b});
        }
    std::ofstream(to, std::ios::binary)
        .write(reinterpret_cast<const char *>(file.data()), std::streamsize(file.size()));
    return rgb;
}

}  // namespace

// Rows of any width reach the GL as the loader packed them, with the
// simulator's unpack alignment left as it was; an image past the GL's size
// limit is refused like a file that cannot be read.
TEST(MesaFrame, TexturesOfAnyWidthUploadRowForRowOrNotAtAll)
{
    struct Case {
        int w, h;
        bool uploads;
    } cases[] = {{1023, 3, true}, {1022, 2, true}, {1021, 4, true}, {32768, 2, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.w << " x " << c.h);
        HarnessOptions o;
        o.texture = TextureSource::None;
        o.elapsed = 5.0f;
        MesaHarness h(o);
        GLint limit = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
        ASSERT_EQ(c.w > limit, !c.uploads) << "the GL's size limit is " << limit;
        const auto rgb = WriteTga24(h.texturePath(), c.w, c.h);
        ASSERT_EQ(h.start(), 1);
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        EXPECT_EQ(alignment, 4);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        if (c.uploads) {
            EXPECT_TRUE(h.host().log().empty());
            ASSERT_NE(bound, 0);
            std::vector<uint8_t> back(rgb.size());
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
            glPixelStorei(GL_PACK_ALIGNMENT, 4);
            EXPECT_TRUE(back == rgb) << "the texture's rows are sheared";
            continue;
        }
        ASSERT_EQ(h.host().log().size(), 1u);
        EXPECT_EQ(h.host().log()[0].rfind("Ostrel-Flyer: The GL refused the master texture", 0), 0u)
            << h.host().log()[0];
        EXPECT_EQ(bound, 0);
        EXPECT_EQ(glIsTexture(1), GL_FALSE);
        // Nothing is drawn, not even the splash.
        h.press(cmd::Force);
        h.setBackground(kBg[0], kBg[1], kBg[2], 1.0f);
        h.drawFrame();
        const auto px = h.context().readPixels();
        for (size_t i = 0; i < px.size(); i += 4)
            ASSERT_EQ(px[i], Expected(0, 0, kBg[0])) << "pixel " << i / 4;
    }
}

TEST(MesaFrame, SplashShowsTheTexturedQuadBlendedByItsAlpha)
{
    HarnessOptions o;
    o.view = 0;         // hidden panel: the splash alone
    o.elapsed = 5.0f;
    MesaHarness h(o);
    ASSERT_EQ(h.start(), 1);
    h.setBackground(kBg[0], kBg[1], kBg[2], 1.0f);
    h.drawFrame();

    // The splash covers pixels 412..611 x 538..612 on 1024 x 768, texel for
    // texel from atlas (629, 294): pixel (x, y) shows texel (x + 217, y - 244).
    int opaque = 0, translucent = 0;
    for (int y = 540; y < 612; y += 9)
        for (int x = 414; x < 610; x += 13) {
            const int u = x + 217, v = y - 244;
            if (u % 8 == 0 || u % 8 == 7 || v % 8 == 0 || v % 8 == 7) continue;  // block edges
            auto t = PluginHarness::SyntheticTexel(u, v);
            const float a = 0.8f * t[3] / 255.0f;  // splash colour alpha times texel alpha
            auto p = h.pixel(x, y);
            EXPECT_NEAR(p.r, Expected(t[0], a, kBg[0]), 2) << x << "," << y;
            EXPECT_NEAR(p.g, Expected(t[1], a, kBg[1]), 2) << x << "," << y;
            EXPECT_NEAR(p.b, Expected(t[2], a, kBg[2]), 2) << x << "," << y;
            (t[3] == 255 ? opaque : translucent)++;
        }
    EXPECT_GT(opaque, 20);
    EXPECT_GT(translucent, 20);

    // Nothing outside the splash rectangle.
    for (auto [x, y] : {std::pair{411, 570}, {612, 570}, {500, 537}, {500, 613}, {0, 0},
                        {200, 150}, {1023, 767}}) {
        auto p = h.pixel(x, y);
        EXPECT_EQ(p.r, Expected(0, 0, kBg[0])) << x << "," << y;
        EXPECT_EQ(p.g, Expected(0, 0, kBg[1])) << x << "," << y;
        EXPECT_EQ(p.b, Expected(0, 0, kBg[2])) << x << "," << y;
    }
    EXPECT_TRUE(h.host().log().empty());
}

TEST(MesaFrame, MissingTextureDrawsNothing)
{
    HarnessOptions o;
    o.texture = TextureSource::None;
    o.elapsed = 5.0f;
    MesaHarness h(o);
    ASSERT_EQ(h.start(), 1);
    h.setBackground(kBg[0], kBg[1], kBg[2], 1.0f);
    h.drawFrame();
    const auto px = h.context().readPixels();
    for (size_t i = 0; i < px.size(); i += 4) {
        ASSERT_EQ(px[i], Expected(0, 0, kBg[0])) << "pixel " << i / 4;
        ASSERT_EQ(px[i + 1], Expected(0, 0, kBg[1])) << "pixel " << i / 4;
    }
}

TEST(MesaFrame, GeneratedAtlasPanelStaysInsideItsWindow)
{
    if (!PluginHarness::AtlasAvailable()) GTEST_SKIP() << "no generated atlas yet";
    HarnessOptions o;
    o.texture = TextureSource::Atlas;
    MesaHarness h(o);
    ASSERT_EQ(h.start(), 1);
    h.setBackground(kBg[0], kBg[1], kBg[2], 1.0f);
    h.drawFrame();
    const host::Rect w = h.windowRect();
    const auto px = h.context().readPixels();
    int inside = 0;
    for (int y = 0; y < 768; y++)
        for (int x = 0; x < 1024; x++) {
            const uint8_t *p = &px[(size_t(y) * 1024 + size_t(x)) * 4];
            const bool bg = p[0] == Expected(0, 0, kBg[0]) && p[1] == Expected(0, 0, kBg[1]) &&
                            p[2] == Expected(0, 0, kBg[2]);
            const bool inWindow = x >= w.left && x < w.right && y >= w.bottom && y < w.top;
            if (inWindow && !bg) inside++;
            if (!inWindow) {
                ASSERT_TRUE(bg) << "drawn outside the window at " << x << "," << y;
            }
        }
    EXPECT_GT(inside, (w.right - w.left) * (w.top - w.bottom) / 2) << "the panel shows its art";
}
