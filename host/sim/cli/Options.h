#ifndef OSTREL_SIM_CLI_OPTIONS_H
#define OSTREL_SIM_CLI_OPTIONS_H
// flyer-sim's command line.

#include <optional>
#include <string>
#include <vector>

#include "flights/Events.h"
#include "flights/Flight.h"

namespace sim {

struct Override {
    DatarefKey key;
    double value;
};

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
    // Last second written to --out (the demo's short sequence); none: to the end.
    std::optional<double> outUntil;
    // --at's frame cropped to the plug-in's windows (the demo's stills).
    bool pngCroppedToPanel = false;
    // --live [HOST[:PORT]]: the values of a running X-Plane in place of a
    // flight, asked over its UDP interface.
    bool live = false;
    std::string liveAddress;  // empty: X-Plane found by its beacon
    int liveBeaconPort = 0;   // where beacons are heard; 0: X-Plane's own port (--live-beacon-port, for tests)
};

// Parses the command line into opts. Returns -1 to go on, otherwise the exit
// code to leave with (0 after --help, 2 after an error, which is printed).
int ParseOptions(int argc, char **argv, Options &opts);

// Parses "DATAREF=VALUE" (--set). Empty string on success, else why not.
std::string ParseOverride(const std::string &text, Override &out);

}  // namespace sim

#endif
