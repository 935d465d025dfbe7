#ifndef OSTREL_SIM_RECORDING_H
#define OSTREL_SIM_RECORDING_H
// Pieces shared by the readers of recorded flights (Garmin logs, X-Plane's
// data output, the project's CSV).

#include <string>
#include <utility>
#include <vector>

#include "Flight.h"

namespace sim {

// Decides which rows of a recording are kept, by their time. A row whose
// time equals the last kept row's (the recorder went on writing while the
// simulator or the flight was paused) is skipped; a time that goes back
// (the recording was restarted) skips rows until time passes the last kept
// row's again. Notes() says what was skipped.
class RowClock {
public:
    // True when the row at time t, on line `line`, is to be kept. The caller
    // calls kept(t) once the row has been read whole.
    bool admit(double t, int line);
    void kept(double t);
    bool anyKept() const { return kept_ > 0; }
    double first() const { return first_; }
    double last() const { return last_; }
    int rows() const { return kept_; }
    // Warnings for the flight's notes, "warning: FILE: ..."; none if nothing was skipped.
    std::vector<std::string> notes(const std::string &file) const;

private:
    double first_ = 0, last_ = 0;
    int kept_ = 0, repeated_ = 0, wentBack_ = 0;
    bool goingBack_ = false;
    std::vector<std::pair<int, int>> backLines_;  // first and last line of each run that went back
};

// Builds a flight's tracks row by row: only values of consecutive rows are
// linked for interpolation, and an int track keeps a sample only where its
// value changes.
struct TrackBuilder {
    Flight &flight;
    std::vector<int> lastRow;

    explicit TrackBuilder(Flight &f) : flight(f) {}
    // A new track for a published dataref ("name" or "name[i]"); its index.
    int add(const char *dataref, bool angle = false);
    void put(int track, int row, double t, double v);
    // What the recording has no value for yet stays at rest until its first
    // value; tracks that got no value at all are dropped.
    void finish();
};

// Minutes to the station at the given ground speed; 0 when hardly moving.
inline double DmeMinutes(double distanceNm, double groundSpeedKt)
{
    return groundSpeedKt >= 1.0 ? distanceNm / groundSpeedKt * 60.0 : 0.0;
}

}  // namespace sim

#endif
