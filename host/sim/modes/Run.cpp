#include <iostream>

#include "Modes.h"
#include "flights/InputText.h"
#include "host/PanelInterface.h"
#include "session/Session.h"

namespace sim {

Input LoadInput(const Options &opts)
{
    Input in{LoadFlight(opts.flight), {}};
    for (const std::string &note : in.flight.notes) std::cerr << "flyer-sim: " << Printable(note) << "\n";
    in.events = LoadEvents(opts);
    return in;
}

std::vector<Event> LoadEvents(const Options &opts)
{
    std::vector<Event> events;
    if (!opts.eventsFile.empty()) events = LoadEvents(opts.eventsFile);
    events.insert(events.end(), opts.commands.begin(), opts.commands.end());
    return events;
}

double RunEnd(const Options &opts, const Flight &flight)
{
    if (opts.duration) return *opts.duration;
    if (flight.duration > kMaxRunSeconds)
        throw UsageError("--flight " + opts.flight + " lasts " + FormatNumber(flight.duration) +
                         " s, longer than the " + LongestRun() + " flyer-sim runs; give the part to fly with --duration");
    return flight.duration;
}

void WarnOfLateEvents(const std::vector<Event> &events, double end)
{
    constexpr int kListed = 5;
    int late = 0;
    for (const Event &e : events) {
        if (e.time <= end + 1e-9) continue;
        if (++late <= kListed)
            std::cerr << "flyer-sim: warning: " << Printable(e.origin) << ": at " << FormatNumber(e.time)
                      << " s, after the run's last frame at " << FormatNumber(end) << " s: never delivered\n";
    }
    if (late > kListed)
        std::cerr << "flyer-sim: warning: and " << late - kListed << " more events after the run's last frame\n";
}

int ReportFailures(const std::vector<std::string> &failures)
{
    for (const std::string &f : failures) std::cerr << "flyer-sim: check failed: " << f << "\n";
    return failures.empty() ? 0 : 1;
}

Event GlassPanelAtStart()
{
    Event e;
    ParseCommandAt(std::string(host::CommandName("Switch")) + "@0", e);
    e.origin = "the Glass panel selection";
    return e;
}

}  // namespace sim
