#include "Flight.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "InputText.h"

namespace sim {

const DatarefInfo *FindDataref(std::string_view name)
{
    for (const DatarefInfo &d : host::kPublishedDatarefs)
        if (name == d.shortName || name == d.name) return &d;
    return nullptr;
}

std::string DatarefKey::text() const
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

static double WrapDegrees(double a)
{
    double w = std::fmod(a, 360.0);
    return w < 0 ? w + 360.0 : w;
}

double Track::valueAt(double t) const
{
    if (samples.empty()) return key.info ? key.info->rest : 0.0;
    if (t <= samples.front().t) return samples.front().v;
    if (t >= samples.back().t) return samples.back().v;
    // Last sample at or before t.
    auto it = std::upper_bound(samples.begin(), samples.end(), t,
                               [](double tt, const Sample &s) { return tt < s.t; });
    const Sample &a = *(it - 1);
    const Sample &b = *it;
    // Infinities and NaN are held, not blended into their neighbours.
    if (steps() || !a.linked || t == a.t || !std::isfinite(a.v) || !std::isfinite(b.v)) return a.v;
    double f = (t - a.t) / (b.t - a.t);
    if (!wrap360) return a.v + (b.v - a.v) * f;
    double d = std::fmod(b.v - a.v, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return WrapDegrees(a.v + d * f);
}

Track *Flight::find(const DatarefKey &key)
{
    for (Track &t : tracks)
        if (t.key == key) return &t;
    return nullptr;
}

const Track *Flight::find(const DatarefKey &key) const
{
    return const_cast<Flight *>(this)->find(key);
}

void Flight::removeTrack(const DatarefKey &key)
{
    tracks.erase(std::remove_if(tracks.begin(), tracks.end(), [&](const Track &t) { return t.key == key; }),
                 tracks.end());
}

void Flight::finish()
{
    // X-Plane publishes some values under a replaced name beside their
    // replacement: what a flight gives under one name, the other gets too.
    for (const DatarefInfo &d : host::kPublishedDatarefs) {
        if (!d.replacedBy) continue;
        const DatarefInfo *replacement = FindDataref(d.replacedBy);
        for (int i = 0; i < d.size; ++i) {
            const DatarefKey replaced{&d, i}, by{replacement, i};
            const Track *a = find(replaced), *b = find(by);
            if (!a == !b) continue;
            Track twin = a ? *a : *b;
            twin.key = a ? by : replaced;
            tracks.push_back(std::move(twin));
        }
    }
    duration = 0;
    for (const Track &t : tracks)
        if (!t.samples.empty()) duration = std::max(duration, t.samples.back().t);
}

int TrackBuilder::add(const DatarefKey &key, bool angle)
{
    Track t{key, {}};
    t.wrap360 = angle;
    flight.tracks.push_back(t);
    lastRow.push_back(-2);
    return static_cast<int>(flight.tracks.size()) - 1;
}

int TrackBuilder::add(const char *dataref, bool angle)
{
    DatarefKey key;
    ParseDatarefKey(dataref, key);
    return add(key, angle);
}

void TrackBuilder::put(int track, int row, double t, double v)
{
    Track &tr = flight.tracks[size_t(track)];
    if (!tr.samples.empty()) {
        if (tr.steps() && tr.samples.back().v == v) {
            lastRow[size_t(track)] = row;
            return;
        }
        tr.samples.back().linked = lastRow[size_t(track)] == row - 1;
    }
    tr.samples.push_back({t, v, false});
    lastRow[size_t(track)] = row;
}

void TrackBuilder::restUntilFirstValues()
{
    for (Track &t : flight.tracks)
        if (!t.samples.empty() && t.samples.front().t > 0)
            t.samples.insert(t.samples.begin(), Sample{0, t.key.info->rest, false});
    flight.tracks.erase(std::remove_if(flight.tracks.begin(), flight.tracks.end(),
                                       [](const Track &t) { return t.samples.empty(); }),
                        flight.tracks.end());
}

Flight LoadFlightFile(const std::string &path)
{
    std::vector<std::string> notes;
    Flight flight = ParseFlight(ReadTextFile(path, "--flight", "flight file", notes), path);
    flight.notes.insert(flight.notes.end(), notes.begin(), notes.end());
    return flight;
}

Flight ParseFlight(const std::string &text, const std::string &file)
{
    if (WithoutBom(text).rfind("#airframe_info", 0) == 0)
        return ParseGarminLog(text, file);
    if (IsXPlaneData(text)) return ParseXPlaneData(text, file);
    return ParseCsvFlight(text, file);
}

bool IsBuiltInFlight(const std::string &name)
{
    return name == "circuit" || name == "rest";
}

Flight LoadFlight(const std::string &nameOrPath)
{
    if (nameOrPath == "circuit") return CircuitFlight();
    if (nameOrPath == "rest") {
        Flight f;
        f.name = "rest";
        f.notes.push_back("built-in flight \"rest\": every dataref at rest");
        return f;
    }
    return LoadFlightFile(nameOrPath);
}

std::string FlightsHelp()
{
    const long s = std::lround(CircuitFlight().duration);
    char circuit[32];
    std::snprintf(circuit, sizeof circuit, "%ld:%02ld", s / 60, s % 60);
    return std::string("Flights: \"circuit\" (built in: a traffic circuit, ") + circuit +
           " long), \"rest\" (built in:\n"
           "nothing moves, every dataref at rest) or a file, one of:\n" +
           CsvFlightHelp() + GarminLogHelp() + XPlaneDataHelp() +
           "Time 0 is the first sample. In every format, rows repeating the last kept time\n"
           "(a pause) or going back before it (a restart) are skipped with a warning, and\n"
           "so is a last line cut short; padding after the last line (NUL or 0xFF bytes,\n"
           "the unused end of an avionics card's log) is ignored, saying how much. A\n"
           "flight's heading drives both of X-Plane's names for it: mag_psi (Heading) and\n"
           "magpsi (HeadingOld), which X-Plane 12 marks replaced but still publishes.\n";
}

}  // namespace sim
