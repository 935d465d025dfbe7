#ifndef OSTREL_HOST_PUBLISHEDDATAREFS_H
#define OSTREL_HOST_PUBLISHEDDATAREFS_H
// The flight datarefs the simulator stand-in publishes: every one the panel
// and flyer-sim read, under X-Plane 12.1's name and with its type there, in
// the panel's lookup order, with its short name (the panel's own name for the
// value; flyer-sim's --set, flights and tests may use it in place of the full
// name) and the value it holds when nothing drives it ("at rest": parked on
// the ground, engine idle, radios off, gear down, day).
//
// Every name here is one X-Plane publishes: the NAV1 course (HDG) is under
// the actuators name, the one X-Plane has, so the name the panel's table tries
// first for it is not published (a test may define it beside this list, to
// play a simulator that has it). The heading is published twice, as X-Plane
// 12.1 does: under mag_psi, which the panel reads, and under magpsi, the name
// X-Plane marks replaced by it and the only one X-Plane 10 has (--missing
// Heading plays that simulator). tests/data/xplane12 holds X-Plane's rows for
// these names; a test checks this list against them.
//
// This is the host's one list; flyer-sim, the test harness and the golden
// tests all read it. The plug-in keeps its own table (it must not depend on
// the host).

#include <cstddef>
#include <string_view>

namespace host {

enum class DataType { Int, Float, FloatArray };

struct PublishedDataref {
    const char *shortName;
    const char *name;
    DataType type;
    int size;     // array length; 1 for scalars
    double rest;  // value of every element when nothing drives it
    // Where X-Plane marks this name replaced: the short name of the row that
    // replaces it, which the panel looks up first. A flight that drives only
    // one of the two drives both with the same values.
    const char *replacedBy = nullptr;
};

inline constexpr PublishedDataref kPublishedDatarefs[] = {
    {"Lit", "sim/cockpit/electrical/cockpit_lights_on", DataType::Int, 1, 0},
    {"View", "sim/graphics/view/view_type", DataType::Int, 1, 1017},
    // Limit speeds of a light retractable single, knots.
    {"Vno", "sim/aircraft/view/acf_Vno", DataType::Float, 1, 140},
    {"Vfe", "sim/aircraft/view/acf_Vfe", DataType::Float, 1, 100},
    {"Vne", "sim/aircraft/view/acf_Vne", DataType::Float, 1, 170},
    {"Stalled", "sim/cockpit2/annunciators/stall_warning", DataType::Int, 1, 0},
    {"Airspeed", "sim/cockpit2/gauges/indicators/airspeed_kts_pilot", DataType::Float, 1, 0},
    {"Vertspeed", "sim/cockpit2/gauges/indicators/vvi_fpm_pilot", DataType::Float, 1, 0},
    {"Heading", "sim/flightmodel/position/mag_psi", DataType::Float, 1, 0},
    {"HeadingOld", "sim/flightmodel/position/magpsi", DataType::Float, 1, 0, "Heading"},
    {"Altitude", "sim/flightmodel/misc/h_ind", DataType::Float, 1, 0},
    {"Bug", "sim/cockpit2/autopilot/heading_dial_deg_mag_pilot", DataType::Float, 1, 0},
    {"Pitch", "sim/flightmodel/position/theta", DataType::Float, 1, 0},
    {"Roll", "sim/flightmodel/position/phi", DataType::Float, 1, 0},
    {"Brakes", "sim/cockpit2/controls/parking_brake_ratio", DataType::Float, 1, 0},
    {"OM", "sim/cockpit2/radios/indicators/outer_marker_lit", DataType::Int, 1, 0},
    {"MM", "sim/cockpit2/radios/indicators/middle_marker_lit", DataType::Int, 1, 0},
    {"IM", "sim/cockpit2/radios/indicators/inner_marker_lit", DataType::Int, 1, 0},
    {"Turn", "sim/flightmodel/misc/turnrate_roll2", DataType::Float, 1, 0},
    {"Slip", "sim/flightmodel/misc/slip", DataType::Float, 1, 0},
    {"HDG", "sim/cockpit2/radios/actuators/nav1_course_deg_mag_pilot", DataType::Float, 1, 0},
    {"Nav1OBS", "sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot", DataType::Float, 1, 0},
    {"Nav1Hdef", "sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot", DataType::Float, 1, 0},
    {"Nav1Vdef", "sim/cockpit2/radios/indicators/nav1_vdef_dots_pilot", DataType::Float, 1, 0},
    {"Nav1DME", "sim/cockpit2/radios/indicators/nav1_has_dme", DataType::Int, 1, 0},
    {"Nav1DMEdist", "sim/cockpit2/radios/indicators/nav1_dme_distance_nm", DataType::Float, 1, 0},
    {"Nav1DMEtime", "sim/cockpit2/radios/indicators/nav1_dme_time_min", DataType::Float, 1, 0},
    {"Gear", "sim/flightmodel2/gear/deploy_ratio", DataType::FloatArray, 10, 1},
    {"Baro", "sim/cockpit2/gauges/actuators/barometer_setting_in_hg_pilot", DataType::Float, 1, 29.92},
    {"FDmode", "sim/cockpit2/autopilot/flight_director_mode", DataType::Int, 1, 0},
    {"FDpitch", "sim/cockpit2/autopilot/flight_director_pitch_deg", DataType::Float, 1, 0},
    {"FDroll", "sim/cockpit2/autopilot/flight_director_roll_deg", DataType::Float, 1, 0},
};

// The full name for a short one. An unknown name throws, so one that
// initialises a constexpr does not compile. (Indexed, not through pointers:
// the sanitized build's null checks are not constant expressions.)
constexpr const char *DatarefName(std::string_view shortName)
{
    for (size_t i = 0; i < sizeof kPublishedDatarefs / sizeof kPublishedDatarefs[0]; ++i)
        if (shortName == kPublishedDatarefs[i].shortName) return kPublishedDatarefs[i].name;
    throw "unknown dataref";
}

// The resting value for a short name; an unknown name throws, as above.
constexpr double RestingValue(std::string_view shortName)
{
    for (size_t i = 0; i < sizeof kPublishedDatarefs / sizeof kPublishedDatarefs[0]; ++i)
        if (shortName == kPublishedDatarefs[i].shortName) return kPublishedDatarefs[i].rest;
    throw "unknown dataref";
}

// Every replaced name's replacement is a row above it, of its type and size.
constexpr bool ReplacementsListedAbove()
{
    for (size_t i = 0; i < sizeof kPublishedDatarefs / sizeof kPublishedDatarefs[0]; ++i) {
        const PublishedDataref &d = kPublishedDatarefs[i];
        bool listed = !d.replacedBy;
        for (size_t j = 0; j < i && !listed; ++j)
            listed = std::string_view(d.replacedBy) == kPublishedDatarefs[j].shortName &&
                     d.type == kPublishedDatarefs[j].type && d.size == kPublishedDatarefs[j].size;
        if (!listed) return false;
    }
    return true;
}
static_assert(ReplacementsListedAbove(), "a replaced dataref names no row above it of its type and size");

}  // namespace host

#endif
