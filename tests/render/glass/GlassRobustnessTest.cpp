// Non-finite and huge flight values: the frame keeps its shape, every vertex
// of the Glass renderer's own drawing stays finite as passed and as
// transformed, and readouts of non-digits draw blank cells.

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstdio>
#include <limits>

#include "GlassFrame.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kOdd[] = {kNaN, kInf, -kInf, 1e30f, -1e30f, FLT_MAX, -FLT_MAX};

// The Glass renderer's quads: its table sprites and the readout cells.
void ExpectFiniteGlassDrawing(const rgl::RecordingGL &gl)
{
    auto sprites = GlassSprites(gl);
    std::vector<rgl::Primitive> quads;
    for (const GlassSprite &s : sprites) quads.push_back(s.quad);
    for (double y : {156.0, 15.0})
        for (const auto &[q, d] : GlyphQuads(gl, y)) quads.push_back(q);
    for (const rgl::Primitive &q : quads) {
        for (const rgl::Vertex &v : q.vertices) {
            ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y))
                << "passed vertex " << v.x << ", " << v.y << " of " << rgl::ToString(q.texels());
            ASSERT_TRUE(std::isfinite(v.sx) && std::isfinite(v.sy))
                << "transformed vertex " << v.sx << ", " << v.sy << " of "
                << rgl::ToString(q.texels());
            ASSERT_TRUE(std::isfinite(v.u) && std::isfinite(v.v)) << rgl::ToString(q.texels());
        }
    }
    // Nothing else of the frame either: tapes, bands and drum windows.
    for (const rgl::Call &c : gl.calls())
        if (c.name.rfind("glTexCoord", 0) == 0 || c.name.rfind("glVertex", 0) == 0) {
            for (double a : c.args) ASSERT_TRUE(std::isfinite(a)) << c.name << " of " << a;
        }
    EXPECT_EQ(gl.depth(), gl.startDepth());
    EXPECT_FALSE(gl.enabled(GL_SCISSOR_TEST));
    EXPECT_TRUE(gl.enabled(GL_TEXTURE_2D));
}

}  // namespace

TEST(GlassRobustness, EveryFloatGlobalHoldsOddValues)
{
    GlassHarness h;
    h.setInt(dr::FDmode, 1);
    h.setInt(dr::Nav1DME, 1);
    h.setGear(1, 0.5f, 0);
    size_t sprites = GlassSprites(h.drawFrame()).size();
    ASSERT_EQ(sprites, 20u);

    for (const dr::Dataref &s : dr::kFlightData) {
        if (s.type == host::DataType::Int) continue;
        for (float v : kOdd) {
            SCOPED_TRACE(::testing::Message() << s.name << " = " << v);
            if (s.type == host::DataType::FloatArray)
                h.setFloatArray(s.name, std::vector<float>(10, v));
            else
                h.setFloat(s.name, v);
            const rgl::RecordingGL &gl = h.drawFrame();
            ExpectFiniteGlassDrawing(gl);
            // Only the gear lamps and the brake light depend on the value's
            // presence; every other row is drawn whatever it holds.
            if (std::string(s.name) != dr::Gear && std::string(s.name) != dr::Brakes) {
                EXPECT_EQ(GlassSprites(gl).size(), sprites);
            }
            EXPECT_LE(GlassSprites(gl).size(), 24u);
        }
        if (s.type == host::DataType::FloatArray)
            h.setGear(1, 0.5f, 0);
        else
            h.setFloat(s.name, 0.0f);
    }
}

TEST(GlassRobustness, EveryGlobalOddAtOnce)
{
    for (float v : kOdd) {
        SCOPED_TRACE(v);
        GlassHarness h;
        for (const dr::Dataref &s : dr::kFlightData) {
            if (std::string(s.name) == dr::ViewType) continue;
            switch (s.type) {
            case host::DataType::Int: h.setInt(s.name, v > 0 ? INT_MAX : INT_MIN); break;
            case host::DataType::Float: h.setFloat(s.name, v); break;
            case host::DataType::FloatArray: h.setFloatArray(s.name, std::vector<float>(10, v)); break;
            }
        }
        const rgl::RecordingGL &gl = h.drawFrame();
        ExpectFiniteGlassDrawing(gl);
        EXPECT_LE(GlassSprites(gl).size(), 24u);
    }
}

TEST(GlassRobustness, ValuesWithoutANumberDrawAtRest)
{
    // No side to hold them to: pitch, flight director pitch, slip and the
    // deviations are drawn as 0, and angles that are not finite do not turn.
    GlassHarness h;
    h.setInt(dr::FDmode, 1);
    for (const char *name : {dr::Pitch, dr::Roll, dr::FDpitch, dr::FDroll, dr::Vertspeed,
                             dr::Heading, dr::Nav1OBS, dr::HDG, dr::Slip, dr::Nav1Hdef,
                             dr::Nav1Vdef})
        h.setFloat(name, kNaN);
    const rgl::RecordingGL &gl = h.drawFrame();
    auto sprites = GlassSprites(gl);
    auto one = [&](const char *n) { return Named(sprites, n).at(0); };
    EXPECT_EQ(one("horizon").texels().v0, 511.0f);
    for (const char *n : {"horizon", "roll pointer"}) ExpectTurned(one(n), 239, 96, 0, 1);
    EXPECT_EQ(one("fd bar").panel().y, 87);
    ExpectTurned(one("fd bar"), 239, 88, 0, 1);
    ExpectTurned(one("vs needle"), 375, 93, 0, 1);
    for (const char *n : {"heading card", "course pointer", "cdi bar", "hdg marker"})
        ExpectTurned(one(n), 74, 93, 0, 1);
    EXPECT_EQ(one("cdi bar").panel().x, 73);
    EXPECT_EQ(one("gs pointer").panel().y, 91.5);
    EXPECT_EQ(one("ball").panel().x, 232.5);
    EXPECT_EQ(Glyphs(gl, 156), (std::map<double, int>{{66, 0}, {72, 0}, {78, 0}}));
}

TEST(GlassRobustness, InfiniteInputsKeepTheirLimitsOrLeaveThePanel)
{
    GlassHarness h;
    h.setInt(dr::FDmode, 1);
    h.setFloat(dr::Pitch, kInf);
    h.setFloat(dr::FDpitch, -kInf);
    h.setFloat(dr::Slip, kInf);
    h.setFloat(dr::Vertspeed, kInf);
    h.setFloat(dr::Nav1Hdef, kInf);
    h.setFloat(dr::Nav1Vdef, -kInf);
    h.setFloat(dr::Roll, kInf);
    const rgl::RecordingGL &gl = h.drawFrame();
    auto sprites = GlassSprites(gl);
    auto one = [&](const char *n) { return Named(sprites, n).at(0); };
    EXPECT_NEAR(one("horizon").texels().v0, 575.0f, 1e-3);
    EXPECT_EQ(one("fd bar").panel().y, 77);
    EXPECT_EQ(one("ball").panel().x, 219);
    ExpectTurned(one("vs needle"), 375, 93, -67, 1);
    ExpectTurned(one("horizon"), 239, 96, 0, 1);
    // Far off any screen, but finite through every transform.
    EXPECT_GT(one("cdi bar").panel().x, 1e5);
    EXPECT_GT(one("gs pointer").panel().y, 1e5);
}

TEST(GlassRobustness, HeadingReadoutSaturates)
{
    GlassHarness h;
    h.setFloat(dr::Heading, kInf);
    std::map<double, int> cells;
    const char *max = "2147483647";
    for (int i = 0; max[i]; i++) cells[66 + 6 * i] = max[i] - '0';
    EXPECT_EQ(Glyphs(h.drawFrame(), 156), cells);

    h.setFloat(dr::Heading, -1e30f);  // "-2147483648": the sign's cell blank
    cells.clear();
    const char *min = "-2147483648";
    for (int i = 1; min[i]; i++) cells[66 + 6 * i] = min[i] - '0';
    EXPECT_EQ(Glyphs(h.drawFrame(), 156), cells);
}

TEST(GlassRobustness, DmeTextOfAnyFloatFitsAndNonDigitsAreBlank)
{
    GlassHarness h;
    h.setInt(dr::Nav1DME, 1);
    const float values[] = {kNaN, kInf, -kInf, 1e30f, -1e30f, FLT_MAX, -FLT_MAX, 0.0f};
    for (float d : values) {
        for (float t : values) {
            SCOPED_TRACE(::testing::Message() << d << " " << t);
            h.setFloat(dr::Nav1DMEdist, d);
            h.setFloat(dr::Nav1DMEtime, t);
            char text[256];
            int n = std::snprintf(text, sizeof text, "%3.1f        %4.2f", double(d), double(t));
            ASSERT_LE(n, 127) << "the whole text fits the 128-character buffer";
            std::map<double, int> cells;
            for (int i = 0; i < n; i++)
                if (text[i] >= '0' && text[i] <= '9') cells[48 + 6 * i] = text[i] - '0';
            EXPECT_EQ(Glyphs(h.drawFrame(), 15), cells) << text;
        }
    }
}
