#ifndef OSTREL_SIM_CLI_OPTIONS_H
#define OSTREL_SIM_CLI_OPTIONS_H
// flyer-sim's command line: what the user typed, checked. What a run does
// with it is its Plan (modes/Plan.h).

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "flights/Events.h"
#include "flights/Flight.h"
#include "host/Renderer.h"

namespace sim {

// The longest run flyer-sim flies, in seconds of elapsed time (--at,
// --duration, --from, a flight's length): 48 hours, longer than any flight.
// At the most frames a second (--fps) that is 172.8 million frames, well
// inside an int.
constexpr double kMaxRunSeconds = 48 * 3600.0;
constexpr double kMaxFps = 1000;
// "172800 s (48 hours)", for messages and the help.
std::string LongestRun();
// The most frames --bench times per panel (each kept for the statistics).
constexpr int kMaxBenchFrames = 1000000;
// Runs that would write more files or bytes than this are refused unless
// --allow-large is given: more than anyone means, by mistake.
constexpr long long kManyFiles = 100000;
constexpr double kManyBytes = 100e9;

struct Options {
    std::string plugin;
    std::string texture;
    std::string flight = "circuit";
    int screenWidth = 1280, screenHeight = 800;
    int view = int(host::RestingValue("View"));
    double fps = 30;
    std::vector<Override> overrides;            // --set
    std::vector<const DatarefInfo *> missing;   // --missing
    std::vector<Event> commands;                // --command NAME@T
    std::string eventsFile;
    std::optional<double> at;
    std::string png;
    std::string outDir;
    std::optional<double> duration;
    int every = 1;
    double from = 0;
    std::string sheet;
    int sheetFrames = 20;
    bool sheetFramesGiven = false;
    std::string log;
    bool verbose = false;
    int frames = 0;
    bool bench = false;
    bool window = false;
    std::string screenshot;
    std::string demo;
    bool fpsGiven = false;
    // Draw every frame through the driver, written or not (the faithful loop).
    bool everyFrame = false;
    std::string video;       // --video FILE.mp4
    std::string videoSize;   // --video-size: "" (the screen), "WxH" (scaled) or "panel" (cropped)
    // Under the panel: the outside view, or a flat colour (golden images
    // that should not change with the outside view).
    bool outsideView = true;
    float background[3] = {0, 0, 0};
    // --live [HOST[:PORT]]: the values of a running X-Plane in place of a
    // flight, asked over its UDP interface.
    bool live = false;
    std::string liveAddress;  // empty: X-Plane found by its beacon
    int liveBeaconPort = 0;   // where beacons are heard; 0: X-Plane's own port (--live-beacon-port, for tests)
    // --serve [ADDR:]PORT: the panel in web browsers, served on that
    // address (127.0.0.1 unless given; port 0: any free one), to at most
    // serveClients at once.
    std::string serve;
    int serveClients = 8;
    // Runs that write more than anyone means go ahead (refused otherwise,
    // modes/Workload.cpp).
    bool allowLarge = false;
    // --gl: what draws. Without it, on Linux: Auto for a run that writes
    // only a video, the window, --live and --serve, Software for the rest
    // (images that are the same on every machine); on Windows, Auto (WGL
    // gives the one driver there is).
    host::Renderer gl = host::Renderer::Software;
};

// Parses the command line into opts. Returns -1 to go on, otherwise the exit
// code to leave with (0 after --help, 2 after an error, which is printed).
// Every value is checked here that can be without the flight: each error
// names the option, the value and what would be right.
int ParseOptions(int argc, char **argv, Options &opts);
// The same, printing the help to `out` and errors to `err`.
int ParseOptions(int argc, char **argv, Options &opts, std::ostream &out, std::ostream &err);

// Parses "DATAREF=VALUE" (--set). Empty string on success, else why not.
std::string ParseOverride(const std::string &text, Override &out);

}  // namespace sim

#endif
