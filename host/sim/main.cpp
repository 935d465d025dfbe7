// flyer-sim: flies the Ostrel-Flyer plug-in without the simulator.

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <system_error>

#include "cli/Options.h"
#include "cli/Paths.h"
#include "flights/Flight.h"
#include "flights/InputText.h"
#include "modes/Modes.h"
#include "modes/Plan.h"
#include "outputs/OutputFile.h"
#include "preview/Preview.h"
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

int RunMode(const sim::Plan &plan)
{
    using Mode = sim::Plan::Mode;
    switch (plan.mode) {
    case Mode::At: return sim::RunAt(plan);
    case Mode::Bench: return sim::RunBench(plan);
    case Mode::Demo: return sim::RunDemo(plan);
    case Mode::Window: return sim::RunWindow(plan);
    case Mode::LiveWindow: return sim::RunLiveWindow(plan);
    case Mode::Live: return sim::RunLive(plan);
    case Mode::Serve:
    case Mode::LiveServe: return sim::RunServe(plan);
    case Mode::Sequence: break;
    }
    return sim::RunSequence(plan);
}

const char *SignalName(int signal)
{
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "a signal";
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
    sim::Options opts;
    int code = sim::ParseOptions(argc, argv, opts);
    if (code >= 0) return code;
    for (std::string *p : {&opts.plugin, &opts.texture, &opts.eventsFile, &opts.png, &opts.outDir,
                           &opts.sheet, &opts.log, &opts.screenshot, &opts.demo, &opts.video})
        MakeAbsolute(*p);
    if (!sim::IsBuiltInFlight(opts.flight)) MakeAbsolute(opts.flight);
    const std::vector<std::string> clashes = sim::CheckPaths(opts);
    if (!clashes.empty()) {
        for (const std::string &e : clashes) std::cerr << "flyer-sim: error: " << sim::Printable(e) << "\n";
        return 2;
    }
    sim::InstallInterruptHandlers();
    // The plug-in's log starts afresh with each run of flyer-sim; every
    // session of the run (the demo has several) appends to it, under a
    // temporary name until the run ends.
    std::optional<sim::OutputFile> log;
    if (!opts.log.empty()) {
        log.emplace(opts.log);
        if (!std::ofstream(log->path(), log->inPlace() ? std::ios::app : std::ios::trunc)) {
            std::cerr << "flyer-sim: error: --log " << sim::Printable(opts.log) << ": cannot write it\n";
            return 2;
        }
    }
    try {
        code = RunMode(sim::PlanOf(opts, log ? log->path() : std::string()));
        if (log) log->commit();
    } catch (const std::exception &e) {
        std::cerr << "flyer-sim: error: " << sim::Printable(e.what()) << "\n";
        code = ExitCode(e);
        // What the plug-in logged before the failure tells why; a run refused
        // before the plug-in logged anything leaves an older log as it was.
        std::error_code ec;
        if (log && !log->inPlace() && fs::file_size(log->path(), ec) > 0 && !ec) {
            try {
                log->commit();
            } catch (const std::exception &) {
            }
        }
    }
    if (sim::Interrupted()) {
        std::cerr << "flyer-sim: interrupted by " << SignalName(sim::InterruptSignal())
                  << ": the run stopped early; what it wrote is complete\n";
        return sim::InterruptedExitCode();
    }
    return code;
}
