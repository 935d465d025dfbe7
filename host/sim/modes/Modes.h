#ifndef OSTREL_SIM_MODES_MODES_H
#define OSTREL_SIM_MODES_MODES_H
// flyer-sim's modes, one file each. Each returns the process exit code;
// input errors are thrown (FlightError, UsageError) and reported by main.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Options.h"
#include "flights/Events.h"
#include "flights/Flight.h"
#include "host/OffscreenGL.h"
#include "outputs/Image.h"

namespace sim {

// Plain run, --out, --sheet and --video; `title` heads the contact sheet.
int RunSequence(const Options &opts, const std::string &title = {});
int RunAt(const Options &opts);
int RunBench(const Options &opts);
int RunWindow(const Options &opts);
int RunDemo(const Options &opts);
int RunLive(const Options &opts);

// What draws (Renderer.cpp): an offscreen context of the renderer --gl
// names, or the preview window, refused where its driver is not what --gl
// asks. Both throw, naming --gl, where there is no such renderer, and say
// which renderer drew with --verbose (the offscreen context also with
// `announce`).
class PreviewWindow;
std::unique_ptr<host::OffscreenGL> OpenOffscreenGL(const Options &opts, bool announce = false);
std::unique_ptr<PreviewWindow> OpenPreviewWindow(const Options &opts, const std::string &title);

class LiveFeed;
class Session;
class VideoWriter;
// The preview window's loop (Window.cpp): the flight, or with `live` what
// X-Plane sends, in real time; `name` titles the window.
int RunPreview(const Options &opts, const Flight &flight, std::vector<Event> events, const std::string &name,
               LiveFeed *live);
// The video of --video, sized by --video-size at the session's first frame
// (time t), and the part of the screen it keeps (none: all of it, scaled or
// not). Frames piped whole are cut to the part first.
struct RunVideo {
    std::unique_ptr<VideoWriter> writer;
    std::optional<PixelBox> part;
};
RunVideo StartVideo(const Options &opts, const Session &session, double t);

// What every mode does (Run.cpp).
struct Input {
    Flight flight;
    std::vector<Event> events;
};
// The flight, its notes printed, and the events of --events and --command.
Input LoadInput(const Options &opts);
// The events alone.
std::vector<Event> LoadEvents(const Options &opts);
// Prints the run's failed checks; the exit code for them.
int ReportFailures(const std::vector<std::string> &failures);
// The Switch command at time 0: the run shows the Glass panel.
Event GlassPanelAtStart();
// Warns of commands and events timed after the run's last frame, at `end`
// seconds: they are never delivered.
void WarnOfLateEvents(const std::vector<Event> &events, double end);
// Throws UsageError for a flight longer than flyer-sim runs (kMaxRunSeconds)
// unless --duration bounds the run.
double RunEnd(const Options &opts, const Flight &flight);

// What a run will do, worked out before it starts (Workload.cpp).
struct Workload {
    long long frames = 0;       // frames flown, drawn or not
    long long drawn = 0;        // frames drawn through the driver and read back
    long long pngs = 0;         // PNG frames written
    long long videoFrames = 0;  // frames piped to the video
    std::string where;          // what writes the files: "--out DIR"
};
// Before a run that writes many files or takes long, prints on stderr its
// frames, files, size and time (at conservative rates for this renderer; the
// progress line then gives the measured rate). Throws UsageError for a run
// that would write more than kManyFiles files or kManyBytes, unless
// --allow-large.
void CheckWorkload(const Options &opts, const Workload &w);

}  // namespace sim

#endif
