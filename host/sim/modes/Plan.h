#ifndef OSTREL_SIM_MODES_PLAN_H
#define OSTREL_SIM_MODES_PLAN_H
// What a run does, worked out once from the command line (PlanOf) and read
// by the modes: the mode, what the session loads and fixes, the flight and
// events, the run's time, and what it writes. The demo makes plans of its
// own from the one it is given; a new mode takes a Plan and starts its
// session from plan.session.

#include <optional>
#include <string>
#include <vector>

#include "flights/Events.h"
#include "host/Renderer.h"
#include "serve/ServeSettings.h"
#include "session/Session.h"

namespace sim {

struct Options;

struct Plan {
    enum class Mode {
        Sequence,    // the plain run and the written ones: --out, --sheet, --video
        At,          // --at T --png FILE
        Bench,       // --bench --frames N
        Demo,        // --demo DIR
        Window,      // --window, replaying the flight
        LiveWindow,  // --live --window
        Live,        // --live with --video or --png, offscreen
        Serve,       // --serve, replaying the flight, offscreen
        LiveServe,   // --serve --live, offscreen
    };
    Mode mode = Mode::Sequence;
    SessionSettings session;

    // The input: a built-in flight's name or a flight file, the events file,
    // and the command phases of --command (the demo's panel choice first).
    std::string flight, eventsFile;
    std::vector<Event> commands;

    // Time: frames a second of elapsed time, the run's length (none: the
    // flight's), the first second written or timed.
    double fps = 0;
    bool fpsGiven = false;
    std::optional<double> duration;
    double from = 0;

    // --at's frame and its file, cropped to the plug-in's windows (the
    // demo's stills) or the whole screen.
    std::optional<double> at;
    std::string png;
    bool pngCroppedToPanel = false;
    // The frame sequence: every Nth frame into outDir, up to outUntil (the
    // demo's short sequence; none: to the end).
    std::string outDir;
    int every = 1;
    std::optional<double> outUntil;
    // The contact sheet, the video, and what the video keeps of the screen.
    std::string sheet;
    int sheetFrames = 0;
    bool sheetFramesGiven = false;
    std::string video, videoSize;
    // Frames per panel for the bench; the preview's screenshot; the demo's folder.
    int benchFrames = 0;
    std::string screenshot, demo;

    // The live link: X-Plane's HOST[:PORT] (empty: found by its beacon), and
    // where beacons are heard (0: X-Plane's own port).
    std::string liveAddress;
    int liveBeaconPort = 0;

    // What draws the run's frames (--gl).
    host::Renderer gl = host::Renderer::Software;
    // The panel in web browsers (--serve; the window's runs may have it too).
    std::optional<ServeSettings> serve;
    // Runs that write more than anyone means go ahead.
    bool allowLarge = false;
    // Commands and events after the run's last frame are warned of (the
    // demo's shorter runs leave that to its run over the whole flight).
    bool warnLateEvents = true;
};

// The plan of the command line, which ParseOptions accepted. The plug-in's
// log goes to `logWritten` (--log's temporary file) where it is not empty.
Plan PlanOf(const Options &opts, const std::string &logWritten = {});

}  // namespace sim

#endif
