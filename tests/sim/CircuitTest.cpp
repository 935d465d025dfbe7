// The built-in flight tells the story the demo shows.

#include <gtest/gtest.h>

#include <cmath>

#include "FlightProbe.h"

using namespace sim;

namespace {

struct Circuit : testing::Test {
    Flight f = CircuitFlight();
    double At(const char *key, double t) { return simtest::At(f, key, t); }
    // First time at or after `from` (0.5 s steps) at which the value satisfies pred.
    template <class P>
    double When(const char *key, P pred, double from = 0)
    {
        for (double t = from; t <= f.duration; t += 0.5)
            if (pred(At(key, t))) return t;
        return -1;
    }
};

constexpr const char *kIas = host::DatarefName("Airspeed");
constexpr const char *kAlt = host::DatarefName("Altitude");

}  // namespace

TEST_F(Circuit, LastsAboutThreeAndAHalfMinutes)
{
    EXPECT_GE(f.duration, 195);
    EXPECT_LE(f.duration, 225);
}

TEST_F(Circuit, NightOnTheRampThenDawnAndTakeOff)
{
    EXPECT_EQ(At("sim/cockpit/electrical/cockpit_lights_on", 0), 1);
    EXPECT_EQ(At("sim/cockpit2/controls/parking_brake_ratio", 0), 1);
    EXPECT_EQ(At(kIas, 0), 0);
    const double dawn = When("sim/cockpit/electrical/cockpit_lights_on", [](double v) { return v == 0; });
    const double brakeOff = When("sim/cockpit2/controls/parking_brake_ratio", [](double v) { return v == 0; });
    const double rolling = When(kIas, [](double v) { return v > 5; });
    const double airborne = When(kAlt, [](double v) { return v > 500; });
    EXPECT_GT(dawn, 10);  // after the splash
    EXPECT_LT(dawn, brakeOff);
    EXPECT_LT(brakeOff, rolling);
    EXPECT_LT(rolling, airborne);
    EXPECT_GT(At("sim/flightmodel/position/theta", airborne), 5);  // rotated
}

TEST_F(Circuit, GearRetractsThroughTransitAndExtendsForLanding)
{
    const char *nose = "sim/flightmodel2/gear/deploy_ratio[0]";
    const double transit = When(nose, [](double v) { return v > 0.1 && v < 0.9; });
    const double up = When(nose, [](double v) { return v == 0; });
    const double down = When(nose, [](double v) { return v == 1; }, up);
    EXPECT_GT(transit, 0);
    EXPECT_GT(At(kAlt, transit), 480);  // after lift-off
    EXPECT_LT(transit, up);
    EXPECT_GT(down, up);
    EXPECT_EQ(At("sim/flightmodel2/gear/deploy_ratio[2]", f.duration), 1);
    // The demo's short sequence shows the roll, the lift-off and the gear coming up.
    ASSERT_TRUE(f.highlight);
    EXPECT_LT(f.highlight->from, When(kAlt, [](double v) { return v > 480; }));
    EXPECT_GT(f.highlight->to, When("sim/flightmodel2/gear/deploy_ratio[2]", [](double v) { return v == 0; }));
}

TEST_F(Circuit, StallWarningOnceInSlowFlight)
{
    const char *stall = "sim/cockpit2/annunciators/stall_warning";
    const double on = When(stall, [](double v) { return v == 1; });
    ASSERT_GT(on, 0);
    const double off = When(stall, [](double v) { return v == 0; }, on);
    EXPECT_GT(off - on, 1);
    EXPECT_LT(off - on, 6);
    EXPECT_EQ(When(stall, [](double v) { return v == 1; }, off), -1);
    EXPECT_LT(At(kIas, on + 1), 65);
}

TEST_F(Circuit, IlsApproachWithDmeCountingDownAndMarkersInTurn)
{
    const double om = When("sim/cockpit2/radios/indicators/outer_marker_lit", [](double v) { return v == 1; });
    const double mm = When("sim/cockpit2/radios/indicators/middle_marker_lit", [](double v) { return v == 1; });
    const double im = When("sim/cockpit2/radios/indicators/inner_marker_lit", [](double v) { return v == 1; });
    ASSERT_GT(om, 0);
    EXPECT_LT(om, mm);
    EXPECT_LT(mm, im);
    const char *dme = "sim/cockpit2/radios/indicators/nav1_dme_distance_nm";
    EXPECT_EQ(At("sim/cockpit2/radios/indicators/nav1_has_dme", om), 1);
    EXPECT_GT(At(dme, om), At(dme, mm));
    EXPECT_GT(At(dme, mm), At(dme, im));
    EXPECT_GT(At("sim/cockpit2/radios/indicators/nav1_dme_time_min", om), 0);
    // Localizer and glideslope captured well before the outer marker...
    EXPECT_GT(std::fabs(At("sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot", om - 12)), 1);
    EXPECT_LT(std::fabs(At("sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot", mm)), 0.5);
    EXPECT_LT(std::fabs(At("sim/cockpit2/radios/indicators/nav1_vdef_dots_pilot", mm)), 0.5);
    // ...on the runway's course, descending to the field.
    EXPECT_NEAR(At("sim/flightmodel/position/magpsi", mm), 270, 5);
    EXPECT_NEAR(At("sim/cockpit2/radios/actuators/nav1_course_deg_mag_pilot", mm), 270, 0.01);
    EXPECT_LT(At("sim/cockpit2/gauges/indicators/vvi_fpm_pilot", mm), -300);
    EXPECT_NEAR(At(kAlt, f.duration), 480, 1);
    EXPECT_LT(At(kIas, f.duration), 10);
}

TEST_F(Circuit, ClimbingTurnAndHeadingBugSet)
{
    double maxRoll = 0, climbInTurn = 0;
    for (double t = 60; t < 100; t += 0.5)
        if (At("sim/flightmodel/position/phi", t) > maxRoll) {
            maxRoll = At("sim/flightmodel/position/phi", t);
            climbInTurn = At("sim/cockpit2/gauges/indicators/vvi_fpm_pilot", t);
        }
    EXPECT_GT(maxRoll, 15);
    EXPECT_GT(climbInTurn, 300);
    const char *bug = "sim/cockpit2/autopilot/heading_dial_deg_mag_pilot";
    EXPECT_NE(At(bug, 0), At(bug, f.duration));
    EXPECT_EQ(At("sim/cockpit2/autopilot/flight_director_mode", 60), 1);
}

TEST_F(Circuit, HeadingsStayWithinACircle)
{
    for (double t = 0; t <= f.duration; t += 0.25) {
        double h = At("sim/flightmodel/position/magpsi", t);
        ASSERT_GE(h, 0) << t;
        ASSERT_LT(h, 360) << t;
    }
}
