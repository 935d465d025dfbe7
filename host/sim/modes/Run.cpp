#include <iostream>

#include "Modes.h"
#include "host/PanelInterface.h"

namespace sim {

Input LoadInput(const Options &opts)
{
    Input in{LoadFlight(opts.flight), {}};
    for (const std::string &note : in.flight.notes) std::cerr << "flyer-sim: " << note << "\n";
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
