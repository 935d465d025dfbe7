#ifndef OSTREL_SIM_MODES_MODES_H
#define OSTREL_SIM_MODES_MODES_H
// flyer-sim's offscreen modes, one file each (the preview window's are in
// preview/), and what the modes share. Each mode takes the run's Plan and
// returns the process exit code; input errors are thrown (FlightError,
// UsageError) and reported by main.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Plan.h"
#include "flights/Events.h"
#include "flights/Flight.h"
#include "outputs/Image.h"
#include "screen/Contexts.h"

namespace sim {

// Plain run, --out, --sheet and --video; `title` heads the contact sheet.
int RunSequence(const Plan &plan, const std::string &title = {});
int RunAt(const Plan &plan);
int RunBench(const Plan &plan);
int RunDemo(const Plan &plan);
// In wall time (RealTime.cpp): --live offscreen, into a video or the PNG of
// the frame after --duration; --serve offscreen, replaying or with --live.
int RunLive(const Plan &plan);
int RunServe(const Plan &plan);

// The offscreen context of the run's screen, drawn by the renderer --gl
// names (screen/Contexts.h).
inline std::unique_ptr<host::OffscreenGL> OpenOffscreenGL(const Plan &plan, bool announce = false)
{
    return OpenOffscreenGL(plan.session.screenWidth, plan.session.screenHeight, plan.gl, plan.session.verbose,
                           announce);
}

class Session;
class VideoWriter;
// The video of --video, sized by --video-size at the session's first frame
// (time t), and the part of the screen it keeps (none: all of it, scaled or
// not). Frames piped whole are cut to the part first (Sequence.cpp).
struct RunVideo {
    std::unique_ptr<VideoWriter> writer;
    std::optional<PixelBox> part;
};
RunVideo StartVideo(const Plan &plan, const Session &session, double t);

// What the modes read before they fly (Input.cpp).
struct Input {
    Flight flight;
    std::vector<Event> events;
};
// The flight, its notes printed, and the events of --events and --command.
Input LoadInput(const Plan &plan);
// The events alone.
std::vector<Event> LoadEvents(const Plan &plan);
// The Switch command at time 0: the run shows the Glass panel.
Event GlassPanelAtStart();
// Warns of commands and events timed after the run's last frame, at `end`
// seconds: they are never delivered.
void WarnOfLateEvents(const std::vector<Event> &events, double end);
// Where the run ends: --duration, else the flight's end. Throws UsageError
// for a flight longer than flyer-sim runs (kMaxRunSeconds) unless --duration
// bounds the run.
double RunEnd(const Plan &plan, const Flight &flight);

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
// that would write more than kManyFiles files or kManyBytes, unless the plan
// allows large runs.
void CheckWorkload(const Plan &plan, const Workload &w);

}  // namespace sim

#endif
