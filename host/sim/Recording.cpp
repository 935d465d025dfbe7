#include "Recording.h"

#include <algorithm>
#include <cstdio>

namespace sim {

bool RowClock::admit(double t, int line)
{
    if (kept_ == 0) return true;
    if (goingBack_ && t <= last_) {
        backLines_.back().second = line;
        ++wentBack_;
        return false;
    }
    goingBack_ = false;
    if (t == last_) {
        ++repeated_;
        return false;
    }
    if (t < last_) {
        goingBack_ = true;
        backLines_.push_back({line, line});
        ++wentBack_;
        return false;
    }
    return true;
}

void RowClock::kept(double t)
{
    if (kept_++ == 0) first_ = t;
    last_ = t;
}

std::vector<std::string> RowClock::notes(const std::string &file) const
{
    std::vector<std::string> notes;
    if (repeated_)
        notes.push_back("warning: " + file + ": skipped " + std::to_string(repeated_) +
                        " rows repeating the previous row's time (recorded while paused)");
    if (wentBack_) {
        // The first few runs by line; a recording restarted many times says how many more.
        constexpr size_t kListed = 8;
        std::string lines;
        for (size_t i = 0; i < backLines_.size() && i < kListed; ++i) {
            const auto &[a, b] = backLines_[i];
            lines += (i ? ", " : "") + std::to_string(a) + (b != a ? "-" + std::to_string(b) : "");
        }
        if (backLines_.size() > kListed)
            lines += " and " + std::to_string(backLines_.size() - kListed) + " more runs";
        notes.push_back("warning: " + file + ": skipped " + std::to_string(wentBack_) +
                        " rows whose time goes back (the recording restarted) until it passed the "
                        "last kept row's: lines " + lines);
    }
    return notes;
}

int TrackBuilder::add(const char *dataref, bool angle)
{
    DatarefKey key;
    ParseDatarefKey(dataref, key);
    Track t{key, {}};
    t.wrap360 = angle;
    flight.tracks.push_back(t);
    lastRow.push_back(-2);
    return static_cast<int>(flight.tracks.size()) - 1;
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

void TrackBuilder::finish()
{
    for (Track &t : flight.tracks)
        if (!t.samples.empty() && t.samples.front().t > 0)
            t.samples.insert(t.samples.begin(), Sample{0, t.key.info->rest, false});
    flight.tracks.erase(std::remove_if(flight.tracks.begin(), flight.tracks.end(),
                                       [](const Track &t) { return t.samples.empty(); }),
                        flight.tracks.end());
}

}  // namespace sim
