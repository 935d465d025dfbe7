#ifndef OSTREL_SIM_MODES_MODES_H
#define OSTREL_SIM_MODES_MODES_H
// flyer-sim's modes, one file each. Each returns the process exit code;
// input errors are thrown (FlightError, UsageError) and reported by main.

#include <string>
#include <vector>

#include "cli/Options.h"
#include "flights/Events.h"
#include "flights/Flight.h"

namespace sim {

// Plain run, --out, --sheet and --video; `title` heads the contact sheet.
int RunSequence(const Options &opts, const std::string &title = {});
int RunAt(const Options &opts);
int RunBench(const Options &opts);
int RunWindow(const Options &opts);
int RunDemo(const Options &opts);

// What every mode does (Run.cpp).
struct Input {
    Flight flight;
    std::vector<Event> events;
};
// The flight, its notes printed, and the events of --events and --command.
Input LoadInput(const Options &opts);
// Prints the run's failed checks; the exit code for them.
int ReportFailures(const std::vector<std::string> &failures);
// The Switch command at time 0: the run shows the Glass panel.
Event GlassPanelAtStart();

}  // namespace sim

#endif
