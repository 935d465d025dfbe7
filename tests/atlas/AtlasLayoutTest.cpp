// The master texture as a file and as a layout: it loads as the plug-in loads
// it, is reproducible, and every picture stays inside its own rectangle.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "AtlasImage.h"
#include "AtlasRects.h"

namespace {

std::vector<char> ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Overlap(const AtlasRect &a, const AtlasRect &b)
{
    return a.u0 < b.u1 && b.u0 < a.u1 && a.v0 < b.v1 && b.v0 < a.v1;
}

// The GA plate's rectangle reaches three rows into the GA horizon's range
// (rows 704 to 706, reached only near full nose-up pitch) and one row into
// the Glass horizon's (row 704); those texels are the plate's bottom edge.
const std::set<std::pair<std::string, std::string>> kSharedTexels = {
    {"GA horizon", "GA plate"},
    {"GA plate", "Glass horizon"},
};

}  // namespace

TEST(AtlasFile, LoadsWithTheProjectLoaderAs1024Square32Bit)
{
    const AtlasImage &img = AtlasImage::Built();
    ASSERT_TRUE(img.ok());
    EXPECT_EQ(img.width(), 1024u);
    EXPECT_EQ(img.height(), 1024u);
    EXPECT_EQ(img.bitsPerPixel(), 32u);
    EXPECT_EQ(img.pixelFormat(), 0x1908u);  // GL_RGBA
}

TEST(AtlasFile, IsRunLengthEncodedAndStoredBottomUp)
{
    std::vector<char> f = ReadFile(OSTREL_ATLAS_TGA);
    ASSERT_GE(f.size(), 18u);
    EXPECT_EQ(f[2], 10);                  // run-length true-colour
    EXPECT_EQ(f[16], 32);                 // bits per pixel
    EXPECT_EQ(f[17] & 0x0f, 8);           // eight alpha bits
    EXPECT_EQ(f[17] & 0x20, 0);           // origin at the lower left: first row is v 0
    EXPECT_LT(f.size(), 1024u * 1024u * 4u);  // the runs pay off
}

TEST(AtlasFile, GeneratorIsReproducible)
{
    const std::string dir = testing::TempDir();
    for (const char *name : {"atlas_run1.tga", "atlas_run2.tga"}) {
        std::string cmd = std::string("\"") + OSTREL_ATLAS_GEN + "\" --out \"" + dir + name + "\"";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
    std::vector<char> a = ReadFile(dir + "atlas_run1.tga"), b = ReadFile(dir + "atlas_run2.tga");
    for (const char *name : {"atlas_run1.tga", "atlas_run2.tga"}) std::remove((dir + name).c_str());
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == ReadFile(OSTREL_ATLAS_TGA)) << "the built texture is stale or differs";
}

TEST(AtlasLayout, OuterFrameIsFullyTransparent)
{
    const AtlasImage &img = AtlasImage::Built();
    ASSERT_TRUE(img.ok());
    int bad = 0;
    for (int i = 0; i < 1024; i++)
        for (Texel t : {img.At(i, 0), img.At(i, 1023), img.At(0, i), img.At(1023, i)})
            bad += t.a != 0;
    EXPECT_EQ(bad, 0);
}

TEST(AtlasLayout, DifferentSpritesDoNotOverlap)
{
    for (const AtlasSprite &a : ATLAS_SPRITES)
        for (const AtlasSprite &b : ATLAS_SPRITES) {
            if (&a >= &b || !Overlap(a.rect, b.rect))
                continue;
            bool shared = kSharedTexels.count({a.name, b.name}) || kSharedTexels.count({b.name, a.name});
            EXPECT_TRUE(shared) << a.name << " overlaps " << b.name;
        }
}

TEST(AtlasLayout, EverythingOutsideTheRectanglesIsEmpty)
{
    const AtlasImage &img = AtlasImage::Built();
    ASSERT_TRUE(img.ok());
    int bad = 0;
    for (int v = 0; v < 1024; v++)
        for (int u = 0; u < 1024; u++) {
            bool inside = false;
            for (const AtlasSprite &s : ATLAS_SPRITES)
                inside = inside || Inside(s.rect, u, v);
            Texel t = img.At(u, v);
            if (!inside && (t.a | t.r | t.g | t.b) != 0 && bad++ < 5)
                ADD_FAILURE() << "texel (" << u << ", " << v << ") outside every sprite";
        }
    EXPECT_EQ(bad, 0);
}

TEST(AtlasLayout, EverySpriteHasAPicture)
{
    const AtlasImage &img = AtlasImage::Built();
    ASSERT_TRUE(img.ok());
    for (const AtlasSprite &s : ATLAS_SPRITES) {
        int opaque = 0;
        for (int v = s.rect.v0; v < s.rect.v1; v++)
            for (int u = s.rect.u0; u < s.rect.u1; u++)
                opaque += img.At(u, v).a > 128;
        EXPECT_GT(opaque, 0) << s.name;
    }
}
