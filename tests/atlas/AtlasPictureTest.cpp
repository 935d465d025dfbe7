// The pictures the renderers rely on: horizons that fill their pitch range
// with sky above and ground below, plates open exactly where earlier sprites
// must show, and digit strips whose cells line up with the fonts' windows.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>

#include "AtlasImage.h"
#include "AtlasRects.h"

namespace {

const AtlasImage &Img()
{
    return AtlasImage::Built();
}

bool Sky(Texel t)
{
    return t.a == 255 && t.b > t.r + 40;
}
bool Ground(Texel t)
{
    return t.a == 255 && t.r > t.b + 40;
}

struct HorizonCase {
    const char *name;
    AtlasRect range;
    int horizonRow;
    double texelsPerDegree;
    double markStep;  // degrees between the finest pitch marks near the centre
};

void PrintTo(const HorizonCase &c, std::ostream *os)
{
    *os << c.name;
}

class HorizonPicture : public testing::TestWithParam<HorizonCase> {};

}  // namespace

TEST_P(HorizonPicture, FillsItsRangeWithSkyAboveAndGroundBelow)
{
    ASSERT_TRUE(Img().ok());
    const HorizonCase &c = GetParam();
    int holes = 0;
    for (int v = c.range.v0; v < c.range.v1; v++) {
        for (int u = c.range.u0; u < c.range.u1; u++)
            holes += Img().At(u, v).a != 255;
    }
    EXPECT_EQ(holes, 0) << "the pitch window would show through";

    // Beside the ladder (near the edges) every row is plain sky or ground.
    for (int u : {c.range.u0 + 2, c.range.u1 - 3}) {
        for (int v = c.horizonRow + 2; v < c.range.v1 && v < 704; v++)
            ASSERT_TRUE(Sky(Img().At(u, v))) << c.name << " row " << v;
        for (int v = c.range.v0; v < c.horizonRow - 2; v++)
            ASSERT_TRUE(Ground(Img().At(u, v))) << c.name << " row " << v;
    }
}

TEST_P(HorizonPicture, PitchLinesStandAtTheirDegrees)
{
    ASSERT_TRUE(Img().ok());
    const HorizonCase &c = GetParam();
    const double cx = (c.range.u0 + c.range.u1) / 2.0;
    for (int deg : {-20, -10, 10, 20}) {
        // A line covers the mark's position within half a texel; halfway to
        // the next 2.5-degree step there is none.
        double v = c.horizonRow + deg * c.texelsPerDegree;
        double best = 0;
        for (double dv = -0.6; dv <= 0.6; dv += 0.1)
            best = std::max(best, Img().Ink(cx + 3, v + dv));
        EXPECT_GT(best, 0.6) << c.name << " " << deg << " degrees";
        double off = v + (deg > 0 ? 1 : -1) * c.markStep / 2 * c.texelsPerDegree;
        EXPECT_LT(Img().Ink(cx + 3, off), 0.55) << c.name << " between marks at " << deg;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Both, HorizonPicture,
    testing::Values(HorizonCase{"GA", ATLAS_GA_HORIZON, GA_HORIZON_ROW, 1.0, 5.0},
                    HorizonCase{"Glass", ATLAS_GLASS_HORIZON, GLASS_HORIZON_ROW, 1.6, 2.5}));

TEST(Plates, GaPlateIsOpenOverTheAttitudeWindowOnly)
{
    ASSERT_TRUE(Img().ok());
    const AtlasRect &p = ATLAS_GA_PLATE;
    auto at = [&](int x, int y) { return Img().At(p.u0 + x, p.v0 + y); };
    // Open around the attitude pivot (236, 232) out to the ring.
    for (int dx = -55; dx <= 55; dx += 5) {
        for (int dy = -55; dy <= 55; dy += 5) {
            if (dx * dx + dy * dy <= 55 * 55) {
                ASSERT_EQ(at(236 + dx, 232 + dy).a, 0) << dx << ", " << dy;
            }
        }
    }
    // Opaque panel under the other instruments and at its edges, the rows
    // shared with the horizon ranges included.
    for (auto xy : {std::pair{83, 224}, {391, 225}, {82, 83}, {233, 84}, {387, 82}, {10, 160}})
        EXPECT_EQ(at(xy.first, xy.second).a, 255);
    for (int u = 256; u < 475; u++) {
        for (int v = 704; v < 707; v++) {
            if (u < 384 || v == 704) {
                ASSERT_EQ(Img().At(u, v).a, 255) << u << ", " << v;
            }
        }
    }
}

TEST(Plates, GlassPlateShowsTheAttitudeAndVerticalSpeedBeneath)
{
    ASSERT_TRUE(Img().ok());
    const AtlasRect &p = ATLAS_GLASS_PLATE;
    auto at = [&](int x, int y) { return Img().At(p.u0 + x, p.v0 + y); };
    // Around the attitude pivot (239, 96), within the window's sides.
    for (int dx = -54; dx <= 54; dx += 3) {
        for (int dy = -60; dy <= 60; dy += 3) {
            if (dx * dx + dy * dy <= 60 * 60) {
                ASSERT_EQ(at(239 + dx, 96 + dy).a, 0) << dx << ", " << dy;
            }
        }
    }
    // The whole vertical speed scale.
    const AtlasRect &s = ATLAS_GLASS_VSI_SCALE;
    for (int x = 351; x < 351 + (s.u1 - s.u0); x++)
        for (int y = 46; y < 46 + (s.v1 - s.v0); y++)
            ASSERT_EQ(at(x, y).a, 0) << x << ", " << y;
    // Under the tape windows it is an opaque, dark tape background, so the
    // white ticks and digits drawn there stand out.
    for (auto xy : {std::pair{150, 40}, {160, 150}, {310, 60}, {330, 140}}) {
        Texel t = at(xy.first, xy.second);
        EXPECT_EQ(t.a, 255);
        EXPECT_LT(t.r + t.g + t.b, 3 * 100);
    }
}

TEST(DigitStrips, CellsHoldInkAndGapsStayClear)
{
    ASSERT_TRUE(Img().ok());
    auto ink = [](const AtlasRect &r) {
        int n = 0;
        for (int v = r.v0; v < r.v1; v++)
            for (int u = r.u0; u < r.u1; u++)
                n += Img().At(u, v).a > 128;
        return n;
    };
    for (int d = 0; d < 10; d++) {
        EXPECT_GT(ink(BaroDigitCell(d)), 6) << d;
        EXPECT_GT(ink(SmallDigitCell(d)), 4) << d;
        EXPECT_GT(ink(LargeDigitCell(d)), 8) << d;
        // The column after each barometer cell and the row after each small
        // cell are blank, so neighbouring glyphs never bleed into a cell.
        EXPECT_EQ(ink({31 + 6 * d, 342, 32 + 6 * d, 349}), 0) << d;
        EXPECT_EQ(ink({564, 485 + 6 * d, 567, 486 + 6 * d}), 0) << d;
    }
    // A digit 1 carries less ink than an 8, in every strip: the cells are in
    // digit order from the strip's start.
    EXPECT_LT(ink(BaroDigitCell(1)), ink(BaroDigitCell(8)));
    EXPECT_LT(ink(SmallDigitCell(1)), ink(SmallDigitCell(8)));
    EXPECT_LT(ink(LargeDigitCell(1)), ink(LargeDigitCell(8)));
}

namespace {

// True when the w x h texel blocks from (ua, va) and (ub, vb) match.
bool SameBlock(int ua, int va, int ub, int vb, int w, int h)
{
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            Texel p = Img().At(ua + x, va + y), q = Img().At(ub + x, vb + y);
            if (p.r != q.r || p.g != q.g || p.b != q.b || p.a != q.a)
                return false;
        }
    return true;
}

}  // namespace

TEST(DigitStrips, DrumStripWrapsAroundLikeAWheel)
{
    ASSERT_TRUE(Img().ok());
    const int cell = DRUM_CELL_H;
    // An opaque wheel face over the whole range the drum windows read.
    for (int v = ATLAS_DRUM.v0; v < ATLAS_DRUM.v1; v++)
        for (int u = ATLAS_DRUM.u0; u < ATLAS_DRUM.u1; u++)
            ASSERT_EQ(Img().At(u, v).a, 255) << u << ", " << v;
    // The second 0 repeats the first; below the first 0 lies the top of a 9,
    // above the second the bottom of a 1.
    const int w = DRUM_U1 - DRUM_U0;
    EXPECT_TRUE(SameBlock(DRUM_U0, DrumCell(10), DRUM_U0, DrumCell(0), w, cell));
    EXPECT_TRUE(SameBlock(DRUM_U0, DrumCell(0) - 5, DRUM_U0, DrumCell(9) + cell - 5, w, 5));
    EXPECT_TRUE(SameBlock(DRUM_U0, DrumCell(11), DRUM_U0, DrumCell(1), w, 5));
    EXPECT_FALSE(SameBlock(DRUM_U0, DrumCell(1), DRUM_U0, DrumCell(0), w, cell));
    // Beside every cell, and beyond both ends, the trailing 0 of the
    // two-digit window: the digit 0 one texel clear of the digit column.
    const int pairW = DRUM_PAIR_U1 - DRUM_U1;
    for (int d = 0; d <= 10; d++)
        EXPECT_TRUE(SameBlock(DRUM_U1 + 1, DrumCell(d), DRUM_U0, DrumCell(0), pairW - 1, cell)) << d;
    EXPECT_TRUE(SameBlock(DRUM_U1 + 1, DrumCell(0) - 5, DRUM_U0, DrumCell(0) + cell - 5, pairW - 1, 5));
    EXPECT_TRUE(SameBlock(DRUM_U1 + 1, DrumCell(11), DRUM_U0, DrumCell(0), pairW - 1, 5));
}
