#pragma once
// The datarefs flyer-sim publishes: every one the panel reads, with its type
// and the value it holds when nothing drives it ("at rest": parked on the
// ground, engine idle, radios off).

#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class DatarefType { Int, Float, FloatArray };

struct DatarefInfo {
    const char *name;
    DatarefType type;
    int size;          // array length; 1 for scalars
    double rest;       // value of every element when nothing drives it
};

// All published datarefs, in the panel's lookup order.
const std::vector<DatarefInfo> &PublishedDatarefs();

// The entry for a full dataref name, or nullptr.
const DatarefInfo *FindDataref(std::string_view name);

// A dataref element as written in flights, --set and --missing:
// "name" for scalars, "name[i]" for one array element.
struct DatarefKey {
    const DatarefInfo *info = nullptr;
    int index = 0;  // element; 0 for scalars
    std::string Text() const;
};

// Parses "name" or "name[i]". Returns an empty string on success, else the
// reason (unknown name, bad or out-of-range index, index on a scalar, array
// without index).
std::string ParseDatarefKey(std::string_view text, DatarefKey &out);

constexpr const char *kViewTypeRef = "sim/graphics/view/view_type";
constexpr const char *kLightsRef = "sim/cockpit/electrical/cockpit_lights_on";
constexpr const char *kGearRef = "sim/flightmodel2/gear/deploy_ratio";

}  // namespace sim
