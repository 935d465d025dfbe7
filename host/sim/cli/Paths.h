#ifndef OSTREL_SIM_CLI_PATHS_H
#define OSTREL_SIM_CLI_PATHS_H
// What a run reads and writes, by option, and the checks made on them
// before anything runs: flyer-sim never writes its inputs, nor two outputs
// to one file.

#include <string>
#include <vector>

#include "Options.h"

namespace sim {

struct NamedPath {
    std::string option;  // "--flight"
    std::string path;
    bool folder = false;  // an output folder: --out, --demo
};

// The files the run reads: the flight (a file, not a built-in one),
// --events, the plug-in and the texture.
std::vector<NamedPath> InputPaths(const Options &opts);
// What it writes: --png, --sheet, --video, --log, --screenshot, and the
// folders --out and --demo.
std::vector<NamedPath> OutputPaths(const Options &opts);

// Every reason the paths forbid the run, empty if none: an output that is an
// input or another output (the same file by any name: through a link, "..",
// a hard link; an output that does not exist yet is resolved through its
// folder), an input or another output inside an output folder, a file output
// naming a folder, a read-only file or a folder that does not exist, an
// output folder naming a file.
std::vector<std::string> CheckPaths(const Options &opts);

}  // namespace sim

#endif
