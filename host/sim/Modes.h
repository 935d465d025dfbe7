#ifndef OSTREL_SIM_MODES_H
#define OSTREL_SIM_MODES_H
// flyer-sim's modes. Each returns the process exit code; input errors are
// thrown (FlightError, UsageError) and reported by main.

#include <string>

#include "Options.h"

namespace sim {

int RunSequence(const Options &opts, const std::string &title = {});  // plain run, --out, --sheet
int RunAt(const Options &opts);
int RunBench(const Options &opts);
int RunWindow(const Options &opts);
int RunDemo(const Options &opts);

}  // namespace sim

#endif
