#ifndef OSTREL_SIM_MODES_MODES_H
#define OSTREL_SIM_MODES_MODES_H
// flyer-sim's modes, one file each. Each returns the process exit code;
// input errors are thrown (FlightError, UsageError) and reported by main.

#include <memory>
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
int RunLive(const Options &opts);

class LiveFeed;
class Session;
class VideoWriter;
// The preview window's loop (Window.cpp): the flight, or with `live` what
// X-Plane sends, in real time; `name` titles the window.
int RunPreview(const Options &opts, const Flight &flight, std::vector<Event> events, const std::string &name,
               LiveFeed *live);
// The video of --video, sized by --video-size at the session's first frame.
std::unique_ptr<VideoWriter> StartVideo(const Options &opts, const Session &session);

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

}  // namespace sim

#endif
