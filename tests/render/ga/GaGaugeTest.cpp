// The gauge mappings at their joins and limits, read from the rotation each
// moving part is drawn in (or its atlas window, or its position).

#include <gtest/gtest.h>

#include "GaPanelFixture.h"

namespace {

struct Case {
    float value;
    double rotation;
};

// A tolerance far below any step of a dial, above float rounding.
constexpr double kTol = 1e-3;

}  // namespace

TEST_F(GaPanel, AirspeedNeedleTurnsClockwiseByTheDialValue)
{
    const Case cases[] = {
        {0, 360},       {20, 345},          {40, 330},        {80, 242.5},
        {120, 155},     {120.01f, 148.98563}, {120.5f, 148.28125}, {160, 91.5},
        {205, 26.8125}, {250, 26.8125},     {-10, 367.5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        h.setFloat(dr::Airspeed, c.value);
        EXPECT_NEAR(RotationOf(frame(), ATLAS_GA_AIRSPEED_NEEDLE), c.rotation, kTol);
    }
}

// The limit to 10000 ft is stored back, and the hundreds needle reads it:
// at 12345 ft it points where 10000 ft puts it, not where 345 ft would.
TEST_F(GaPanel, AltimeterNeedles)
{
    const struct {
        float altitude;
        double thousands, hundreds;
    } cases[] = {
        {0, 360, 360},       {5250, 171, 270},    {9999, 0.036, 0.36}, {12000, 0, 360},
        {12345, 0, 360},     {-300, 370.8, 468},  {-1250, 405, 450},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.altitude);
        h.setFloat(dr::Altitude, c.altitude);
        const rgl::RecordingGL &gl = frame();
        EXPECT_NEAR(RotationOf(gl, ATLAS_GA_ALT_THOUSANDS_NEEDLE), c.thousands, kTol);
        EXPECT_NEAR(RotationOf(gl, ATLAS_GA_ALT_HUNDREDS_NEEDLE), c.hundreds, kTol);
    }
}

TEST_F(GaPanel, VerticalSpeedNeedle)
{
    const Case cases[] = {
        {0, 90},       {-0.5f, 90},  {500, 55},   {999.9f, 20.07}, {1000, 20},  {2000, -20},
        {3750, -90},   {5000, -90},  {-1000, 160}, {-3750, 270},  {-5000, 270},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        h.setFloat(dr::Vertspeed, c.value);
        EXPECT_NEAR(RotationOf(frame(), ATLAS_GA_VSI_NEEDLE), c.rotation, kTol);
    }
}

// The picture's window slides a row per degree, limited to +-80; roll turns
// picture and ring together, unlimited.
TEST_F(GaPanel, AttitudeIndicator)
{
    const struct {
        float pitch, v0;
    } cases[] = {{0, 527}, {10, 537}, {-12.5f, 514.5f}, {80, 607}, {95, 607}, {-90, 447}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pitch);
        h.setFloat(dr::Pitch, c.pitch);
        const rgl::Primitive horizon = frame().quads().at(0);
        EXPECT_EQ(horizon.texels(), (rgl::TexelRect{256, c.v0, 384, c.v0 + 100}));
        EXPECT_EQ(horizon.panel(), (rgl::PanelRect{172, 184, 128, 100}));
    }

    h.setFloat(dr::Pitch, 0);
    h.setFloat(dr::Roll, -400);
    const rgl::RecordingGL &gl = frame();
    EXPECT_EQ(RotationOf(gl, HorizonWindow(0)), -400);
    EXPECT_EQ(RotationOf(gl, ATLAS_GA_HORIZON_RING), -400);
    EXPECT_EQ(gl.count("glRotatef"), 8);  // one rotation for both
}

TEST_F(GaPanel, TurnCoordinatorAndBall)
{
    const Case turns[] = {{0, 0}, {30, -30}, {60, -60}, {75, -60}, {-75, 60}};
    for (const Case &c : turns) {
        SCOPED_TRACE(c.value);
        h.setFloat(dr::Turn, c.value);
        EXPECT_EQ(RotationOf(frame(), ATLAS_GA_TURN_AIRCRAFT), c.rotation);
    }
    const Case slips[] = {{0, 77}, {-5, 92}, {2.5f, 69.5}, {20, 17}};  // x of the ball
    for (const Case &c : slips) {
        SCOPED_TRACE(c.value);
        h.setFloat(dr::Slip, c.value);
        EXPECT_EQ(OnlyQuad(frame(), ATLAS_BALL).panel(), (rgl::PanelRect{c.rotation, 51, 13, 13}));
    }
}

// Card counter-clockwise by the heading, unreduced; bug clockwise by how far
// the selected heading lies ahead of it.
TEST_F(GaPanel, HeadingCardAndBug)
{
    const struct {
        float heading, bug;
        double card, bugRotation;
    } cases[] = {{0, 0, 0, 0}, {90, 90, 90, 0}, {30, 45, 30, -15}, {400, 10, 400, 390}, {350, -10, 350, 360}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.heading);
        h.setFloat(dr::Heading, c.heading);
        h.setFloat(dr::Bug, c.bug);
        const rgl::RecordingGL &gl = frame();
        EXPECT_EQ(RotationOf(gl, ATLAS_HEADING_CARD), c.card);
        EXPECT_EQ(RotationOf(gl, ATLAS_GA_HEADING_BUG), c.bugRotation);
    }
}
