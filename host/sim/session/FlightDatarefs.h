#ifndef OSTREL_SIM_SESSION_FLIGHTDATAREFS_H
#define OSTREL_SIM_SESSION_FLIGHTDATAREFS_H
// The published datarefs during a run: every one defined in the host at
// rest (host/PublishedDatarefs.h), then what the command line fixes for the
// run (--set, which takes the flight's track of it away) or leaves out
// (--missing); each frame, the flight's tracks set their datarefs. Values
// from outside the flight (the live link) go in through drive() and set().

#include <vector>

#include "flights/Flight.h"
#include "host/Host.h"

namespace sim {

class FlightDatarefs {
public:
    // Defines the datarefs in h, which must have been reset: the view type
    // at `view`, the overrides fixed, the missing ones absent. Keeps a
    // reference to flight, less the tracks the overrides replace.
    FlightDatarefs(host::Host &h, int view, const std::vector<Override> &overrides,
                   const std::vector<const DatarefInfo *> &missing, Flight &flight);

    // Every track's value at time t.
    void apply(double t);
    // The view type now, and the one the flight gives it at time t.
    int view() const;
    int viewAt(double t) const;
    // Fixes the view type from now on, whatever the flight says.
    void setView(int view);

    // Makes keys[i] slot i of set(), for values from outside the flight.
    // Returns, for each, whether it is driven: not where the run keeps the
    // dataref its own (--set, --missing, a track of the flight, the view
    // type), whose slot set() leaves alone.
    std::vector<bool> drive(const std::vector<DatarefKey> &keys);
    void set(size_t slot, double value);

private:
    struct Binding {
        host::DataRef *ref;
        const Track *track;
    };
    host::Host &host_;
    std::vector<Binding> bindings_;
    struct Driven {
        host::DataRef *ref;  // null where the run keeps the dataref
        DatarefKey key;
    };
    std::vector<Driven> driven_;
    std::vector<DatarefKey> fixed_;  // --set and --missing
    host::DataRef *viewRef_ = nullptr;
    const Track *viewTrack_ = nullptr;  // the flight's view type, if it drives one
};

}  // namespace sim

#endif
