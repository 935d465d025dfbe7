#include "Flight.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "CsvLines.h"
#include "FlightError.h"

namespace sim {

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
        if (t.key.info == key.info && t.key.index == key.index) return &t;
    return nullptr;
}

const Track *Flight::find(const DatarefKey &key) const
{
    return const_cast<Flight *>(this)->find(key);
}

void Flight::removeTrack(const DatarefKey &key)
{
    tracks.erase(std::remove_if(tracks.begin(), tracks.end(),
                                [&](const Track &t) {
                                    return t.key.info == key.info && t.key.index == key.index;
                                }),
                 tracks.end());
}

void Flight::finish()
{
    duration = 0;
    for (const Track &t : tracks)
        if (!t.samples.empty()) duration = std::max(duration, t.samples.back().t);
}

Flight LoadFlightFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FlightError(path + ": cannot open the flight file");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseFlight(text, path);
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
        f.notes.push_back("built-in flight \"rest\": every dataref at rest");
        return f;
    }
    return LoadFlightFile(nameOrPath);
}

}  // namespace sim
