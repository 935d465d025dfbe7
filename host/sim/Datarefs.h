#ifndef OSTREL_SIM_DATAREFS_H
#define OSTREL_SIM_DATAREFS_H
// The datarefs flyer-sim publishes (host/PublishedDatarefs.h) and the keys
// that name one element of them.

#include <string>
#include <string_view>
#include <vector>

#include "host/PublishedDatarefs.h"

namespace sim {

using DatarefType = host::DataType;
using DatarefInfo = host::PublishedDataref;

// All published datarefs, in the panel's lookup order (the host's list).
const std::vector<DatarefInfo> &PublishedDatarefs();

// The entry for a full or short dataref name, or nullptr.
const DatarefInfo *FindDataref(std::string_view name);

// A dataref element as written in flights, --set and --missing:
// "name" for scalars, "name[i]" for one array element; the short name may
// stand for the full one ("Airspeed", "Gear[0]").
struct DatarefKey {
    const DatarefInfo *info = nullptr;
    int index = 0;  // element; 0 for scalars
    std::string text() const;
};

// Parses "name" or "name[i]". Returns an empty string on success, else the
// reason (unknown name, bad or out-of-range index, index on a scalar, array
// without index).
std::string ParseDatarefKey(std::string_view text, DatarefKey &out);

constexpr const char *kViewTypeRef = host::DatarefName("View");
constexpr const char *kLightsRef = host::DatarefName("Lit");

}  // namespace sim

#endif
