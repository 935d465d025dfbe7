// libFuzzer entry for the events file parser (--events), fed the whole file.
// Refusal is a FlightError; every accepted event must be one the player can
// deliver.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "flights/Events.h"
#include "flights/InputText.h"
#include "XPLMDisplay.h"
#include "XPLMUtilities.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::vector<sim::Event> events;
    try {
        std::vector<std::string> notes;
        events = sim::ParseEvents(text, "fuzz.txt", notes);
    } catch (const sim::FlightError &) {
        return 0;
    }
    sim::SortEvents(events);
    for (size_t i = 0; i < events.size(); ++i) {
        const sim::Event &e = events[i];
        if (!std::isfinite(e.time) || e.time < 0 || (i > 0 && e.time < events[i - 1].time))
            abort();
        if (e.kind == sim::Event::Kind::Command) {
            if (e.command.empty() || e.phases.empty())
                abort();
            for (int p : e.phases)
                if (p != xplm_CommandBegin && p != xplm_CommandContinue && p != xplm_CommandEnd)
                    abort();
        } else if (e.mouse != xplm_MouseDown && e.mouse != xplm_MouseDrag && e.mouse != xplm_MouseUp) {
            abort();
        }
    }
    return 0;
}
