#ifndef OSTREL_SIM_FLIGHT_H
#define OSTREL_SIM_FLIGHT_H
// A flight: for each driven dataref element, a track of timed samples. Time
// 0 is the first sample. Float tracks interpolate linearly between samples
// that are linked (the following row had a value too) and hold otherwise;
// int tracks step.

#include <string>
#include <string_view>
#include <vector>

#include "Datarefs.h"

namespace sim {

struct Sample {
    double t;
    double v;
    bool linked;  // interpolate toward the next sample; false: hold until it
};

struct Track {
    DatarefKey key;
    std::vector<Sample> samples;  // strictly increasing t
    bool wrap360 = false;         // angles: interpolate the short way round, result in [0, 360)

    // The value at time t: the first sample's before it, the last one's after it.
    double valueAt(double t) const;
    bool steps() const { return key.info->type == DatarefType::Int; }
};

struct Flight {
    std::string name;
    double duration = 0;  // time of the last sample
    std::vector<Track> tracks;
    std::vector<std::string> notes;  // printed when the flight loads (source, span, warnings)

    Track *find(const DatarefKey &key);
    const Track *find(const DatarefKey &key) const;
    void removeTrack(const DatarefKey &key);
    // Sets duration from the tracks.
    void finish();
};

// The file formats, from their text; file names the source in errors and
// notes. Throw FlightError.
Flight ParseCsvFlight(const std::string &text, const std::string &file);
Flight ParseGarminLog(const std::string &text, const std::string &file);
Flight ParseXPlaneData(const std::string &text, const std::string &file);
// Any of the three, told apart as LoadFlightFile does.
Flight ParseFlight(const std::string &text, const std::string &file);

// True when the first non-blank line is a header of X-Plane's data output
// (names such as "_Vind,_kias", separated by '|' or quoted and separated by commas).
bool IsXPlaneData(std::string_view text);

// Reads a flight file: the Garmin flight-data-log format when the first line
// starts with "#airframe_info", X-Plane's data output when its header has
// X-Plane's column names, the project's CSV format otherwise. Throws
// FlightError.
Flight LoadFlightFile(const std::string &path);

// The built-in flight "circuit".
Flight CircuitFlight();

// The built-in flights: "circuit", and "rest", which drives nothing (every
// dataref stays at rest, host/PublishedDatarefs.h).
bool IsBuiltInFlight(const std::string &name);

// A flight by name: a built-in one or a file path.
Flight LoadFlight(const std::string &nameOrPath);

}  // namespace sim

#endif
