// What every mode reads before it flies: the flight and events, where the
// run ends, the events it never reaches (Modes.h).

#include <iostream>

#include "Modes.h"
#include "cli/Options.h"
#include "flights/InputText.h"
#include "host/PanelInterface.h"
#include "session/Session.h"

namespace sim {

Input LoadInput(const Plan &plan)
{
    Input in{LoadFlight(plan.flight), {}};
    for (const std::string &note : in.flight.notes) std::cerr << "flyer-sim: " << Printable(note) << "\n";
    in.events = LoadEvents(plan);
    return in;
}

std::vector<Event> LoadEvents(const Plan &plan)
{
    std::vector<Event> events;
    if (!plan.eventsFile.empty()) events = LoadEvents(plan.eventsFile);
    events.insert(events.end(), plan.commands.begin(), plan.commands.end());
    return events;
}

double RunEnd(const Plan &plan, const Flight &flight)
{
    if (plan.duration) return *plan.duration;
    if (flight.duration > kMaxRunSeconds)
        throw UsageError("--flight " + plan.flight + " lasts " + FormatNumber(flight.duration) +
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

Event GlassPanelAtStart()
{
    Event e;
    ParseCommandAt(std::string(host::CommandName("Switch")) + "@0", e);
    e.origin = "the Glass panel selection";
    return e;
}

}  // namespace sim
