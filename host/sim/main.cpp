// flyer-sim: flies the Ostrel-Flyer plug-in without the simulator.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/Options.h"
#include "flights/Flight.h"
#include "flights/InputText.h"
#include "modes/Modes.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace fs = std::filesystem;

namespace {

// The run changes the working directory to the simulator folder.
void MakeAbsolute(std::string &path)
{
    if (!path.empty()) path = fs::absolute(path).lexically_normal().string();
}

// Bad input (a flight file, a command the plug-in lacks) is a usage error,
// 2; a plug-in that does not load or a run that cannot go on is 1.
int ExitCode(const std::exception &e)
{
    if (dynamic_cast<const sim::FlightError *>(&e) || dynamic_cast<const sim::UsageError *>(&e))
        return 2;
    return 1;
}

}  // namespace

int main(int argc, char **argv)
{
    // llvmpipe's linear rasterizer, which it picks tile by tile for simple
    // scenes, shades some gradients one step differently depending on what
    // the frames before drew. Without it a frame's pixels depend only on the
    // frame, whichever frames before it were drawn.
#ifdef _WIN32
    if (!std::getenv("LP_PERF")) _putenv_s("LP_PERF", "no_rast_linear");
#else
    setenv("LP_PERF", "no_rast_linear", 0);
#endif
    sim::InstallInterruptHandlers();
    sim::Options opts;
    int code = sim::ParseOptions(argc, argv, opts);
    if (code >= 0) return code;
    for (std::string *p : {&opts.plugin, &opts.texture, &opts.eventsFile, &opts.png, &opts.outDir,
                           &opts.sheet, &opts.log, &opts.screenshot, &opts.demo, &opts.video})
        MakeAbsolute(*p);
    if (!sim::IsBuiltInFlight(opts.flight)) MakeAbsolute(opts.flight);
    // The plug-in's log starts afresh with each run of flyer-sim; every
    // session of the run (the demo has several) appends to it.
    if (!opts.log.empty()) std::ofstream(opts.log, std::ios::trunc);
    try {
        if (opts.live) return sim::RunLive(opts);
        if (opts.bench) return sim::RunBench(opts);
        if (opts.window) return sim::RunWindow(opts);
        if (opts.at) return sim::RunAt(opts);
        if (!opts.demo.empty()) return sim::RunDemo(opts);
        return sim::RunSequence(opts);
    } catch (const std::exception &e) {
        std::cerr << "flyer-sim: error: " << e.what() << "\n";
        return ExitCode(e);
    }
}
