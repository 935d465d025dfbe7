#include "Datarefs.h"

#include <charconv>

namespace sim {

const std::vector<DatarefInfo> &PublishedDatarefs()
{
    using T = DatarefType;
    // Speeds of a light retractable single (knots).
    static const std::vector<DatarefInfo> table = {
        {kLightsRef, T::Int, 1, 0},
        {kViewTypeRef, T::Int, 1, 1017},
        {"sim/aircraft/view/acf_Vno", T::Float, 1, 146},
        {"sim/aircraft/view/acf_Vfe", T::Float, 1, 103},
        {"sim/aircraft/view/acf_Vne", T::Float, 1, 183},
        {"sim/cockpit2/annunciators/stall_warning", T::Int, 1, 0},
        {"sim/cockpit2/gauges/indicators/airspeed_kts_pilot", T::Float, 1, 0},
        {"sim/cockpit2/gauges/indicators/vvi_fpm_pilot", T::Float, 1, 0},
        {"sim/flightmodel/position/magpsi", T::Float, 1, 0},
        {"sim/flightmodel/misc/h_ind", T::Float, 1, 0},
        {"sim/cockpit2/autopilot/heading_dial_deg_mag_pilot", T::Float, 1, 0},
        {"sim/flightmodel/position/theta", T::Float, 1, 0},
        {"sim/flightmodel/position/phi", T::Float, 1, 0},
        {"sim/cockpit2/controls/parking_brake_ratio", T::Float, 1, 0},
        {"sim/cockpit2/radios/indicators/outer_marker_lit", T::Int, 1, 0},
        {"sim/cockpit2/radios/indicators/middle_marker_lit", T::Int, 1, 0},
        {"sim/cockpit2/radios/indicators/inner_marker_lit", T::Int, 1, 0},
        {"sim/flightmodel/misc/turnrate_roll2", T::Float, 1, 0},
        {"sim/flightmodel/misc/slip", T::Float, 1, 0},
        {"sim/cockpit2/radios/indicators/nav1_course_deg_mag_pilot", T::Float, 1, 0},
        {"sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot", T::Float, 1, 0},
        {"sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot", T::Float, 1, 0},
        {"sim/cockpit2/radios/indicators/nav1_vdef_dots_pilot", T::Float, 1, 0},
        {"sim/cockpit2/radios/indicators/nav1_has_dme", T::Int, 1, 0},
        {"sim/cockpit2/radios/indicators/nav1_dme_distance_nm", T::Float, 1, 0},
        {"sim/cockpit2/radios/indicators/nav1_dme_time_min", T::Float, 1, 0},
        {kGearRef, T::FloatArray, 10, 1},  // on its wheels
        {"sim/cockpit2/gauges/actuators/barometer_setting_in_hg_pilot", T::Float, 1, 29.92},
        {"sim/cockpit2/autopilot/flight_director_mode", T::Int, 1, 0},
        {"sim/cockpit2/autopilot/flight_director_pitch_deg", T::Float, 1, 0},
        {"sim/cockpit2/autopilot/flight_director_roll_deg", T::Float, 1, 0},
    };
    return table;
}

const DatarefInfo *FindDataref(std::string_view name)
{
    for (const DatarefInfo &d : PublishedDatarefs())
        if (name == d.name) return &d;
    return nullptr;
}

std::string DatarefKey::Text() const
{
    if (!info) return "?";
    if (info->type != DatarefType::FloatArray) return info->name;
    return std::string(info->name) + "[" + std::to_string(index) + "]";
}

std::string ParseDatarefKey(std::string_view text, DatarefKey &out)
{
    std::string_view name = text;
    int index = -1;
    size_t open = text.find('[');
    if (open != std::string_view::npos) {
        if (text.back() != ']') return "expected ']' at the end of \"" + std::string(text) + "\"";
        name = text.substr(0, open);
        std::string_view digits = text.substr(open + 1, text.size() - open - 2);
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty() || index < 0)
            return "bad array index in \"" + std::string(text) + "\"";
    }
    const DatarefInfo *info = FindDataref(name);
    if (!info) return "unknown dataref \"" + std::string(name) + "\"";
    if (info->type == DatarefType::FloatArray) {
        if (index < 0)
            return "\"" + std::string(name) + "\" is an array: write " + std::string(name) + "[i]";
        if (index >= info->size)
            return "index " + std::to_string(index) + " out of range for \"" + std::string(name) +
                   "\" (" + std::to_string(info->size) + " elements)";
    } else if (index >= 0) {
        return "\"" + std::string(name) + "\" is not an array";
    }
    out.info = info;
    out.index = index < 0 ? 0 : index;
    return {};
}

}  // namespace sim
