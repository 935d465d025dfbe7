// libFuzzer entry for a flight file parser, fed the whole file as text. The
// parser is chosen at build time (OSTREL_FLIGHT_PARSER names a function
// Flight (const std::string &text, const std::string &file)), so every flight
// format shares these checks. A parser may refuse input only by throwing
// FlightError; any other exception escapes and is reported as a crash.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "flights/Flight.h"
#include "flights/InputText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    sim::Flight flight;
    try {
        flight = OSTREL_FLIGHT_PARSER(text, "fuzz.csv");
    } catch (const sim::FlightError &) {
        return 0;
    }
    // What the player relies on: known dataref elements, times finite and
    // strictly increasing, a finite duration that covers every sample.
    double last = 0;
    for (const sim::Track &track : flight.tracks) {
        if (track.key.info == nullptr || track.key.index < 0 || track.key.index >= track.key.info->size)
            abort();
        for (size_t i = 0; i < track.samples.size(); ++i) {
            const double t = track.samples[i].t;
            if (!std::isfinite(t) || (i > 0 && !(t > track.samples[i - 1].t)))
                abort();
        }
        if (!track.samples.empty())
            last = std::max(last, track.samples.back().t);
        // Reading between, on and beyond the samples must stay in bounds.
        for (double t : {-1.0, 0.0, flight.duration * 0.5, flight.duration, flight.duration + 1})
            (void)track.valueAt(t);
    }
    if (!std::isfinite(flight.duration) || flight.duration < last)
        abort();
    return 0;
}
