// Needles and dial scales against the renderers' own mappings: a needle at
// rest points straight up from its pivot, and the graduation printed for a
// value lies on the ray along which the needle points at that value.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <utility>
#include <string>
#include <vector>

#include "AtlasImage.h"
#include "AtlasRects.h"
#include "GaugeScales.h"

namespace {

const AtlasImage &Img()
{
    return AtlasImage::Built();
}

struct Centroid {
    double x, y, mass;
};

Centroid AlphaCentroid(const AtlasRect &r)
{
    double sx = 0, sy = 0, m = 0;
    for (int v = r.v0; v < r.v1; v++)
        for (int u = r.u0; u < r.u1; u++) {
            double a = Img().At(u, v).a / 255.0;
            sx += a * (u - r.u0 + 0.5);
            sy += a * (v - r.v0 + 0.5);
            m += a;
        }
    return {sx / m, sy / m, m};
}

// ---- Needles

struct NeedleCase {
    const char *name;
    AtlasRect rect;
    double pivotX, pivotY;  // from the sprite's lower-left corner
};

void PrintTo(const NeedleCase &c, std::ostream *os)
{
    *os << c.name;
}

class GaNeedle : public testing::TestWithParam<NeedleCase> {};

}  // namespace

TEST_P(GaNeedle, PointsStraightUpFromItsPivot)
{
    ASSERT_TRUE(Img().ok());
    const NeedleCase &n = GetParam();
    Centroid c = AlphaCentroid(n.rect);
    EXPECT_NEAR(c.x, n.pivotX, 0.05) << "off the centre line";
    EXPECT_GT(c.y, n.pivotY + 4) << "most of the needle must lie above its pivot";
    // The hub covers the pivot, and the tip stands on the centre line high
    // above it.
    EXPECT_GT(Img().Ink(n.rect, n.pivotX, n.pivotY), 0.0);
    EXPECT_EQ(Img().At(n.rect.u0 + int(n.pivotX), n.rect.v0 + int(n.pivotY)).a, 255);
    int top = -1;
    for (int y = n.rect.v1 - n.rect.v0 - 1; y >= 0 && top < 0; y--)
        for (int x = 0; x < n.rect.u1 - n.rect.u0; x++)
            if (Img().At(n.rect.u0 + x, n.rect.v0 + y).a > 100)
                top = y;
    ASSERT_GE(top, 0);
    AtlasRect tipRows = {n.rect.u0, n.rect.v0 + top - 2, n.rect.u1, n.rect.v0 + top + 1};
    EXPECT_NEAR(AlphaCentroid(tipRows).x, n.pivotX, 0.1);
    EXPECT_GT(top, n.pivotY + 30);
}

INSTANTIATE_TEST_SUITE_P(
    All, GaNeedle,
    testing::Values(NeedleCase{"airspeed", ATLAS_GA_AIRSPEED_NEEDLE, 5, 5},
                    NeedleCase{"thousands", ATLAS_GA_ALT_THOUSANDS_NEEDLE, 5, 16},
                    NeedleCase{"hundreds", ATLAS_GA_ALT_HUNDREDS_NEEDLE, 4, 20},
                    NeedleCase{"vertical speed", ATLAS_GA_VSI_NEEDLE, 4, 5}),
    [](const testing::TestParamInfo<NeedleCase> &i) {
        std::string s = i.param.name;
        for (char &ch : s)
            if (ch == ' ')
                ch = '_';
        return s;
    });

TEST(GlassNeedle, PointsLeftFromItsLowerRightCorner)
{
    ASSERT_TRUE(Img().ok());
    const AtlasRect &r = ATLAS_GLASS_VSI_NEEDLE;
    const double len = r.u1 - r.u0, h = r.v1 - r.v0;
    Centroid c = AlphaCentroid(r);
    EXPECT_LT(c.x, len - 10) << "the needle reaches left of its pivot";
    EXPECT_NEAR(c.y, h / 2, 0.05) << "its centre line runs along the sprite";
    // Its far end is a point on the centre line, its pivot end full width.
    AtlasRect tip = {r.u0, r.v0, r.u0 + 3, r.v1};
    EXPECT_NEAR(AlphaCentroid(tip).y, h / 2, 0.05);
    for (int v = r.v0; v < r.v1; v++)
        EXPECT_GT(Img().At(r.u1 - 1, v).a, 100);
    EXPECT_EQ(Img().At(r.u1 - 1, r.v0).a, Img().At(r.u1 - 1, r.v1 - 1).a);
}

// ---- Dial scales

namespace {

// Mean ink along the ray at `deg` (clockwise from up) over radii r0 to r1.
double RayInk(const AtlasRect &dial, double px, double py, double deg, double r0, double r1)
{
    double a = deg * M_PI / 180.0, sum = 0;
    int n = 0;
    for (double r = r0; r <= r1; r += 0.25, n++)
        sum += Img().Ink(dial, px + r * std::sin(a), py + r * std::cos(a));
    return sum / n;
}

struct Mark {
    std::string label;
    double deg;  // where the needle points for it, clockwise from up
};

struct DialCase {
    const char *name;
    AtlasRect rect;
    double px, py;  // the instrument's pivot in the dial's texels
    double r0, r1;  // the radii where only the probed graduations are printed
    std::vector<Mark> marks;
};

std::vector<Mark> AirspeedMarks()
{
    std::vector<Mark> m;
    for (int kt = 40; kt <= 200; kt += 10)
        m.push_back({std::to_string(kt) + " kt", AirspeedDialValue(float(kt))});
    return m;
}

std::vector<Mark> AltimeterMarks()
{
    std::vector<Mark> m;
    for (int ft = 0; ft < 1000; ft += 100)
        m.push_back({std::to_string(ft) + " ft", AltimeterHundredsAngle(float(ft))});
    return m;
}

std::vector<Mark> VerticalSpeedMarks()
{
    // The needle turns by 90 - S from pointing up, so it points S - 90.
    std::vector<Mark> m;
    for (int fpm : {-2000, -1500, -1000, -500, 0, 500, 1000, 1500, 2000}) {
        float s = GAVerticalSpeedValue(std::fabs(float(fpm)) / 1000.0f);
        m.push_back({std::to_string(fpm) + " fpm", (fpm < 0 ? -s : s) - 90.0});
    }
    return m;
}

std::vector<Mark> HeadingMarks()
{
    // Turned counter-clockwise by the heading, the card brings the heading's
    // mark to the top: it is printed that far clockwise from the top.
    std::vector<Mark> m;
    for (int h = 0; h < 360; h += 30)
        m.push_back({std::to_string(h) + " deg", double(h)});
    return m;
}

void PrintTo(const DialCase &c, std::ostream *os)
{
    *os << c.name;
}

class DialScale : public testing::TestWithParam<DialCase> {};

}  // namespace

// The angle of the graduation near `deg`: the centre of the ink profile
// across the ray (its part above half the peak), with the peak itself.
struct Found {
    double deg, peak;
};
Found FindGraduation(const AtlasRect &dial, double px, double py, double deg, double r0, double r1,
                     double window = 2.5)
{
    std::vector<std::pair<double, double>> profile;
    double peak = 0;
    for (double d = deg - window; d <= deg + window + 1e-9; d += 0.05) {
        profile.push_back({d, RayInk(dial, px, py, d, r0, r1)});
        peak = std::max(peak, profile.back().second);
    }
    double sum = 0, weight = 0;
    for (auto [d, ink] : profile)
        if (ink > peak / 2) {
            sum += d * (ink - peak / 2);
            weight += ink - peak / 2;
        }
    return {weight > 0 ? sum / weight : deg - window, peak};
}

TEST_P(DialScale, GraduationsLieWhereTheNeedlePoints)
{
    ASSERT_TRUE(Img().ok());
    const DialCase &d = GetParam();
    for (const Mark &m : d.marks) {
        Found f = FindGraduation(d.rect, d.px, d.py, m.deg, d.r0, d.r1);
        EXPECT_GT(f.peak, 0.6) << d.name << ": no graduation near " << m.label;
        EXPECT_NEAR(f.deg, m.deg, 0.25) << d.name << ": " << m.label;
        for (double off : {-2.5, 2.5})
            EXPECT_LT(RayInk(d.rect, d.px, d.py, m.deg + off, d.r0, d.r1), 0.35)
                << d.name << ": graduation too wide at " << m.label;
    }
}

INSTANTIATE_TEST_SUITE_P(
    GA, DialScale,
    testing::Values(DialCase{"airspeed", ATLAS_GA_AIRSPEED_DIAL, 68, 74, 45, 51, AirspeedMarks()},
                    DialCase{"altimeter", ATLAS_GA_ALTIMETER_DIAL, 71, 75, 47.5, 51.5, AltimeterMarks()},
                    DialCase{"vertical speed", ATLAS_GA_VSI_DIAL, 67, 72, 46.5, 49.5, VerticalSpeedMarks()},
                    DialCase{"turn wings level", ATLAS_GA_TURN_DIAL, 67, 73, 44, 54,
                             {{"left", 270.0}, {"right", 90.0}}},
                    DialCase{"heading card", ATLAS_HEADING_CARD, 56, 56, 48, 50.5, HeadingMarks()}),
    [](const testing::TestParamInfo<DialCase> &i) {
        std::string s = i.param.name;
        for (char &ch : s)
            if (ch == ' ')
                ch = '_';
        return s;
    });

TEST(DialScale, AirspeedScaleStepsSixDegreesPast120Knots)
{
    // 125 kt stands 13.2 degrees past 120 kt, where the lower piece's rate
    // alone would put it 10.9 degrees past: the printed scale has the step.
    ASSERT_TRUE(Img().ok());
    double at125 = AirspeedDialValue(125.0f);
    ASSERT_NEAR(at125 - AirspeedDialValue(120.0f), 13.1875, 1e-3);
    EXPECT_GT(RayInk(ATLAS_GA_AIRSPEED_DIAL, 68, 74, at125, 48, 51), 0.6);
    EXPECT_LT(RayInk(ATLAS_GA_AIRSPEED_DIAL, 68, 74, 205.0 + 5 * 2.1875, 48, 51), 0.35);
}

TEST(DialScale, TurnCoordinatorRateMarksAreSymmetric)
{
    // Whatever rate they stand for, the left and right standard-rate marks
    // mirror each other below the wings-level marks.
    ASSERT_TRUE(Img().ok());
    // Probed at the marks' outer ends, clear of the L and R beside them.
    Found right = FindGraduation(ATLAS_GA_TURN_DIAL, 67, 73, 117.5, 53, 55.5, 17.5);
    Found left = FindGraduation(ATLAS_GA_TURN_DIAL, 67, 73, 242.5, 53, 55.5, 17.5);
    EXPECT_GT(right.peak, 0.6);
    EXPECT_GT(left.peak, 0.6);
    EXPECT_NEAR(right.deg + left.deg, 360.0, 0.3);
}

TEST(DialScale, HeadingCardReadsClockwise)
{
    // "3" at 30 degrees carries less ink than "33" at 330, "6" less than "30":
    // a mirrored card would swap them.
    ASSERT_TRUE(Img().ok());
    auto labelInk = [](double centre) {
        double sum = 0;
        for (double deg = centre - 12; deg <= centre + 12; deg += 0.5)
            sum += RayInk(ATLAS_HEADING_CARD, 56, 56, deg, 33, 46);
        return sum;
    };
    EXPECT_LT(labelInk(30) * 1.3, labelInk(330));
    EXPECT_LT(labelInk(60) * 1.3, labelInk(300));
}

TEST(DialScale, BarometerDigitsSitOnADarkWindow)
{
    ASSERT_TRUE(Img().ok());
    const AtlasRect &d = ATLAS_GA_ALTIMETER_DIAL;
    for (int cell = 0; cell < 4; cell++)
        for (int x = 57 + 7 * cell; x < 62 + 7 * cell; x++)
            for (int y = 47; y < 54; y++) {
                Texel t = Img().At(d.u0 + x, d.v0 + y);
                ASSERT_EQ(t.a, 255) << x << ", " << y;
                ASSERT_LT(t.r + t.g + t.b, 3 * 40) << x << ", " << y;
            }
}

namespace {

// y (scale texels) of the Glass needle's centre line at scale x, for a rate:
// the needle as drawn points left from the pivot (375, 93), its centre line
// as far above the pivot as the needle sprite's own centre row.
double GlassVsiLineY(int fpm, double x)
{
    const double c = AlphaCentroid(ATLAS_GLASS_VSI_NEEDLE).y;
    const double pivotX = 375, pivotY = 93, scaleX = 351, scaleY = 46;
    double a = GlassVerticalSpeedAngle(std::fabs(float(fpm)) / 1000.0f) * M_PI / 180.0;
    double th = fpm > 0 ? -a : a;
    double t = (pivotX - (scaleX + x) - c * std::sin(th)) / std::cos(th);
    return pivotY - t * std::sin(th) + c * std::cos(th) - scaleY;
}

// The scale's marks: every level run of bright texels in the scale sprite.
struct Tick {
    int row;
    double mid;
};
std::vector<Tick> GlassVsiTicks()
{
    const AtlasRect &s = ATLAS_GLASS_VSI_SCALE;
    const int w = s.u1 - s.u0, h = s.v1 - s.v0;
    auto bright = [&](int x, int y) { return Img().Ink(s, x + 0.5, y + 0.5) > 0.7; };
    std::vector<Tick> ticks;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            if (!bright(x, y))
                continue;
            int x0 = x;
            while (x + 1 < w && bright(x + 1, y))
                x++;
            ticks.push_back({y, (x0 + x + 1) / 2.0});
        }
    return ticks;
}

// The tick nearest the needle's line at a rate, and how far off it is (rows).
std::pair<Tick, double> NearestTick(const std::vector<Tick> &ticks, int fpm)
{
    std::pair<Tick, double> best = {{-1, 0.0}, 1e9};
    for (const Tick &t : ticks) {
        double miss = std::fabs(t.row + 0.5 - GlassVsiLineY(fpm, t.mid));
        if (miss < best.second)
            best = {t, miss};
    }
    return best;
}

const int kGlassVsiMarks[] = {-4000, -2000, -1500, -1000, -500, 0, 500, 1000, 1500, 2000, 4000};

}  // namespace

TEST(GlassVerticalSpeedScale, MarksLieOnTheNeedlesLine)
{
    ASSERT_TRUE(Img().ok());
    const std::vector<Tick> ticks = GlassVsiTicks();
    for (int fpm : kGlassVsiMarks)
        EXPECT_LE(NearestTick(ticks, fpm).second, 0.6)
            << "no mark on the needle's line at " << fpm << " ft/min";
    // Nothing else is printed where the needle is seen: a label there is
    // crossed by the needle at other rates and read instead of the mark.
    for (const Tick &t : ticks) {
        double miss = 1e9;
        for (int fpm : kGlassVsiMarks)
            miss = std::min(miss, std::fabs(t.row + 0.5 - GlassVsiLineY(fpm, t.mid)));
        EXPECT_LE(miss, 0.6) << "ink off every mark at scale row " << t.row << ", x " << t.mid;
    }
    // Each mark stands at the opening's left edge, where the needle is cut
    // off by the plate (or, past 2000 ft/min, as near to it as the opening
    // allows), so the needle ends on the mark it reads.
    for (int fpm : kGlassVsiMarks)
        EXPECT_LE(NearestTick(ticks, fpm).first.mid, 3.5) << fpm << " ft/min";
}

TEST(GlassVerticalSpeedScale, LabelsStandOnThePlateBesideTheirMarks)
{
    ASSERT_TRUE(Img().ok());
    const AtlasRect &p = ATLAS_GLASS_PLATE;
    auto inked = [](int u, int v) { return Img().Ink(u + 0.5, v + 0.5) > 0.5; };
    // The plate's strip between the altitude tape's frame and the scale's.
    const int x0 = 338, x1 = 350;
    const std::vector<Tick> ticks = GlassVsiTicks();
    for (int fpm : {-4000, -2000, -1000, 1000, 2000, 4000}) {
        const int d = std::abs(fpm) / 1000;
        const int row = NearestTick(ticks, fpm).first.row + 46;  // panel row of the mark
        const AtlasRect glyph = SmallDigitCell(d);
        // The digit, centred on the mark's row to within a row.
        bool found = false;
        for (int x = x0; x + 3 <= x1 && !found; x++)
            for (int y = row - 3; y <= row - 1 && !found; y++) {
                bool same = true;
                for (int gy = 0; gy < 5 && same; gy++)
                    for (int gx = 0; gx < 3 && same; gx++)
                        same = inked(p.u0 + x + gx, p.v0 + y + gy) ==
                               inked(glyph.u0 + gx, glyph.v0 + gy);
                found = same;
            }
        EXPECT_TRUE(found) << "no \"" << d << "\" beside the mark for " << fpm << " ft/min";
    }
    // None of it under the altitude readout box (panel 307, 79, 41 x 31),
    // which is drawn over the plate and would hide it.
    for (int x = x0; x < 348; x++)
        for (int y = 79; y < 110; y++)
            EXPECT_FALSE(inked(p.u0 + x, p.v0 + y)) << x << ", " << y;
}
