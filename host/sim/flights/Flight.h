#ifndef OSTREL_SIM_FLIGHTS_FLIGHT_H
#define OSTREL_SIM_FLIGHTS_FLIGHT_H
// Flights: for each driven dataref element, a track of timed samples. Time
// 0 is the first sample. Float tracks interpolate linearly between samples
// that are linked (the following row had a value too) and hold otherwise;
// int tracks step. Datarefs are the ones flyer-sim publishes
// (host/PublishedDatarefs.h), named in full or by their short names.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/PublishedDatarefs.h"

namespace sim {

using DatarefType = host::DataType;
using DatarefInfo = host::PublishedDataref;

// The entry for a full or short dataref name, or nullptr.
const DatarefInfo *FindDataref(std::string_view name);

// A dataref element as written in flights, --set and --missing:
// "name" for scalars, "name[i]" for one array element; the short name may
// stand for the full one ("Airspeed", "Gear[0]").
struct DatarefKey {
    const DatarefInfo *info = nullptr;
    int index = 0;  // element; 0 for scalars
    std::string text() const;
    bool operator==(const DatarefKey &o) const { return info == o.info && index == o.index; }
};

// A dataref element held at one value for a whole run (--set), in place of
// the flight's track of it.
struct Override {
    DatarefKey key;
    double value;
};

// Parses "name" or "name[i]". Returns an empty string on success, else the
// reason (unknown name, bad or out-of-range index, index on a scalar, array
// without index).
std::string ParseDatarefKey(std::string_view text, DatarefKey &out);

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

// Where a flight is worth a look (the demo's): a short stretch for a frame
// sequence, and a moment for a still of each panel.
struct Highlight {
    double from, to;
    double still;
};

struct Flight {
    std::string name;
    double duration = 0;  // time of the last sample
    std::vector<Track> tracks;
    std::vector<std::string> notes;  // printed when the flight loads (source, span, warnings)
    std::optional<Highlight> highlight;

    Track *find(const DatarefKey &key);
    const Track *find(const DatarefKey &key) const;
    void removeTrack(const DatarefKey &key);
    // Once the tracks are read: where the flight drives a dataref published
    // under two names (a replaced one beside its replacement,
    // host/PublishedDatarefs.h) under one of them only, copies its track to
    // the other; then sets duration from the tracks. Every flight ends with it.
    void finish();
};

// Builds a flight's tracks row by row: only values of consecutive rows are
// linked for interpolation, and an int track keeps a sample only where its
// value changes.
struct TrackBuilder {
    Flight &flight;
    std::vector<int> lastRow;

    explicit TrackBuilder(Flight &f) : flight(f) {}
    // A new track for a dataref element; its index.
    int add(const DatarefKey &key, bool angle = false);
    // The same for a published dataref named "name" or "name[i]".
    int add(const char *dataref, bool angle = false);
    void put(int track, int row, double t, double v);
    // For flight logs: what has no value yet stays at rest until its first
    // value; tracks that got no value at all are dropped.
    void restUntilFirstValues();
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

// What --help says of the flights: the built-in ones and each file format,
// its columns listed from the reader's own table.
std::string FlightsHelp();
// Each reader's part of it.
std::string CsvFlightHelp();
std::string GarminLogHelp();
std::string XPlaneDataHelp();

}  // namespace sim

#endif
