#ifndef OSTREL_SIM_FLIGHTS_LOGREADING_H
#define OSTREL_SIM_FLIGHTS_LOGREADING_H
// What the readers of flight logs (the project's CSV, Garmin logs, X-Plane's
// data output) share: the row clock, and the column tables that both drive
// a reader and make its part of --help.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Flight.h"

namespace sim {

// Decides which rows of a log are kept, by their time. A row whose time
// equals the last kept row's (the recorder went on writing while the
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

// A column of a log that drives a dataref: its value times factor.
// `columns` names it, preferred name first where logs differ ("AltInd|AltB").
struct ColumnMapping {
    const char *columns;
    const char *dataref;  // short name
    double factor = 1;
    bool angle = false;  // interpolates the short way round 360
};

// A dataref a reader works out from several columns, for the help.
struct DerivedMapping {
    const char *columns;
    const char *dataref;
    const char *how;
};

// The index of the first of the '|'-separated names that find(name) locates, or -1.
template <class Find>
int FirstColumn(std::string_view names, Find find)
{
    while (true) {
        const size_t bar = names.find('|');
        const int c = find(names.substr(0, bar));
        if (c >= 0 || bar == std::string_view::npos) return c;
        names.remove_prefix(bar + 1);
    }
}

// The help's lines for a reader's tables: "IAS -> Airspeed, HCDI x 2.5 ->
// Nav1Hdef, ..., WptDst and GndSpd -> Nav1DMEtime (minutes to go)".
std::string DescribeColumns(const std::vector<ColumnMapping> &mapped,
                            const std::vector<DerivedMapping> &derived);

// Items separated by commas, in lines of at most 80 columns after `indent`.
std::string Listed(const std::vector<std::string> &items, const std::string &indent);

// Minutes to the station at the given ground speed; 0 when hardly moving.
inline double DmeMinutes(double distanceNm, double groundSpeedKt)
{
    return groundSpeedKt >= 1.0 ? distanceNm / groundSpeedKt * 60.0 : 0.0;
}

}  // namespace sim

#endif
