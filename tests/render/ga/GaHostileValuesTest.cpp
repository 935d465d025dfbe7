// Flight values that are no numbers, infinite or huge: the frame is still
// whole, no vertex is NaN or infinite before or after the transforms, and a
// needle that cannot show such a value rests (or stops at its limit).

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "GaPanelFixture.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kHostile[] = {kNaN, kInf, -kInf, 1e30f, -1e30f, std::numeric_limits<float>::max(),
                              -std::numeric_limits<float>::max()};

void ExpectWholeFrame(const rgl::RecordingGL &gl)
{
    auto quads = gl.quads();
    EXPECT_GE(quads.size(), 23u);
    EXPECT_LE(quads.size(), 23u + 6u + 10u);  // lamps, a readout of up to ten cells
    EXPECT_EQ(gl.count("glRotatef"), 8);
    EXPECT_EQ(gl.depth(), 0);
    for (const rgl::Primitive &q : gl.primitives()) {
        EXPECT_TRUE(q.isSprite());
        for (const rgl::Vertex &v : q.vertices) {
            ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y)) << v.x << ", " << v.y;
            ASSERT_TRUE(std::isfinite(v.sx) && std::isfinite(v.sy)) << v.sx << ", " << v.sy;
            ASSERT_TRUE(std::isfinite(v.u) && std::isfinite(v.v)) << v.u << ", " << v.v;
        }
    }
}

// Sets every flight dataref but the view type to v (ints to the end of
// their range on v's side).
void SetEverything(PluginHarness &h, float v)
{
    for (const dr::Dataref &s : dr::kFlightData) {
        if (std::string(s.name) == dr::ViewType) continue;
        switch (s.type) {
        case host::DataType::Int: h.setInt(s.name, v < 0 ? INT_MIN : INT_MAX); break;
        case host::DataType::Float: h.setFloat(s.name, v); break;
        case host::DataType::FloatArray: h.setFloatArray(s.name, std::vector<float>(10, v)); break;
        }
    }
}

}  // namespace

TEST_F(GaPanel, EveryValueHostileAtOnce)
{
    for (float v : kHostile) {
        SCOPED_TRACE(v);
        SetEverything(h, v);
        ExpectWholeFrame(frame());
    }
}

TEST_F(GaPanel, OneHostileValueAtATime)
{
    for (const dr::Dataref &s : dr::kFlightData) {
        if (s.type == host::DataType::Int) continue;
        for (float v : kHostile) {
            SCOPED_TRACE(std::string(s.name) + " = " + std::to_string(v));
            if (s.type == host::DataType::Float)
                h.setFloat(s.name, v);
            else
                h.setGear(v, v, v);
            ExpectWholeFrame(frame());
        }
        SetEverything(h, 0.0f);
    }
}

// What a needle shows for a value it cannot show as it comes.
TEST_F(GaPanel, NeedlesRestOrStopAtTheirLimits)
{
    const struct {
        const char *dataref;
        float value;
        AtlasRect part;
        double rotation;
    } cases[] = {
        {dr::Airspeed, kNaN, ATLAS_GA_AIRSPEED_NEEDLE, 0},
        {dr::Airspeed, -kInf, ATLAS_GA_AIRSPEED_NEEDLE, 0},
        {dr::Airspeed, kInf, ATLAS_GA_AIRSPEED_NEEDLE, 26.8125},
        {dr::Altitude, kNaN, ATLAS_GA_ALT_THOUSANDS_NEEDLE, 0},
        {dr::Altitude, kNaN, ATLAS_GA_ALT_HUNDREDS_NEEDLE, 0},
        {dr::Altitude, kInf, ATLAS_GA_ALT_THOUSANDS_NEEDLE, 0},
        {dr::Altitude, kInf, ATLAS_GA_ALT_HUNDREDS_NEEDLE, 360},
        {dr::Altitude, -kInf, ATLAS_GA_ALT_HUNDREDS_NEEDLE, 0},
        {dr::Roll, kNaN, ATLAS_GA_HORIZON_RING, 0},
        {dr::Turn, kNaN, ATLAS_GA_TURN_AIRCRAFT, 0},
        {dr::Turn, -kInf, ATLAS_GA_TURN_AIRCRAFT, 60},
        {dr::Heading, kInf, ATLAS_HEADING_CARD, 0},
        {dr::Bug, kNaN, ATLAS_GA_HEADING_BUG, 0},
        {dr::Vertspeed, kNaN, ATLAS_GA_VSI_NEEDLE, 90},
        {dr::Vertspeed, kInf, ATLAS_GA_VSI_NEEDLE, -90},
        {dr::Vertspeed, -kInf, ATLAS_GA_VSI_NEEDLE, 270},
        {dr::Vertspeed, -1e30f, ATLAS_GA_VSI_NEEDLE, 270},  // |INT_MIN| without overflow
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.dataref) + " = " + std::to_string(c.value));
        h.setFloat(c.dataref, c.value);
        EXPECT_EQ(RotationOf(frame(), c.part), c.rotation);
        h.setFloat(c.dataref, 0.0f);
    }

    h.setFloat(dr::Pitch, kNaN);
    EXPECT_EQ(frame().quads().at(0).texels(), (rgl::TexelRect{256, 527, 384, 627}));
    h.setFloat(dr::Pitch, kInf);
    EXPECT_EQ(frame().quads().at(0).texels(), (rgl::TexelRect{256, 607, 384, 707}));
    h.setFloat(dr::Pitch, 0.0f);

    h.setFloat(dr::Slip, kNaN);
    EXPECT_EQ(OnlyQuad(frame(), ATLAS_BALL).panel().x, 77);
    h.setFloat(dr::Slip, 1e30f);  // far off the tube, but where it says
    EXPECT_FLOAT_EQ(OnlyQuad(frame(), ATLAS_BALL).panel().x, -3e30f);
}
