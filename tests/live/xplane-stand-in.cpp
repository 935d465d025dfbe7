// The stand-in X-Plane (StandInXPlane.h) as a program, for checks run from
// scripts (flyer-sim.exe under Wine) and for trying --live by hand:
//
//   ostrel-xplane-stand-in [--seconds S] [--beacon-port P] [--circuit [--from T]] [--set DATAREF=VALUE]...
//
// It answers on 127.0.0.1, prints "port N" once it does, and sends the
// values set (by full or short name, "Gear[1]" for an element) or, with
// --circuit, those of the built-in circuit as it flies in real time from
// its second T (0 unless given), over and over. With --beacon-port it beacons there from the loopback
// interface. It ends when every subscription it had is cancelled, or after
// S seconds (default 20, at most 55), printing what is left:
//   "subscribed 39, cancelled 39, left 0"
// and exits 0 when something subscribed and nothing is left.

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "StandInXPlane.h"
#include "flights/Flight.h"
#include "flights/InputText.h"

namespace {

int Usage(const std::string &why)
{
    std::cerr << "ostrel-xplane-stand-in: " << why
              << "\nusage: ostrel-xplane-stand-in [--seconds S] [--beacon-port P] [--circuit [--from T]] "
                 "[--set DATAREF=VALUE]...\n";
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    using namespace sim::live;
    using Clock = std::chrono::steady_clock;
    double seconds = 20, from = 0;
    bool circuit = false;
    StandInXPlane::Options options;
    std::vector<std::pair<std::string, float>> values;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--circuit") {
            circuit = true;
        } else if (a == "--seconds" && hasValue) {
            seconds = std::atof(argv[++i]);
            if (!(seconds > 0 && seconds <= 55)) return Usage("--seconds: 0 to 55");
        } else if (a == "--from" && hasValue) {
            from = std::atof(argv[++i]);
            if (!(from >= 0 && from <= 3600)) return Usage("--from: 0 to 3600");
        } else if (a == "--beacon-port" && hasValue) {
            const int port = std::atoi(argv[++i]);
            if (port < 1 || port > 65535) return Usage("--beacon-port: 1 to 65535");
            options.beaconPort = uint16_t(port);
        } else if (a == "--set" && hasValue) {
            const std::string s = argv[++i];
            const size_t eq = s.find('=');
            sim::DatarefKey key;
            double v = 0;
            if (eq == std::string::npos || !sim::ParseDatarefKey(s.substr(0, eq), key).empty() ||
                !sim::ParseNumber(std::string_view(s).substr(eq + 1), v))
                return Usage("--set: expected DATAREF=VALUE, got \"" + s + "\"");
            values.emplace_back(key.text(), float(v));
        } else {
            return Usage("unknown argument \"" + a + "\"");
        }
    }

    StandInXPlane xp(options);
    for (const auto &[name, v] : values) xp.set(name, v);
    const sim::Flight flight = circuit ? sim::CircuitFlight() : sim::Flight{};
    std::cout << "port " << xp.endpoint().port << std::endl;

    const Clock::time_point start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    size_t subscribed = 0;
    while (Clock::now() < end) {
        if (circuit) {
            const double t =
                std::fmod(from + std::chrono::duration<double>(Clock::now() - start).count(), flight.duration);
            for (const sim::Track &track : flight.tracks) xp.set(track.key.text(), float(track.valueAt(t)));
        }
        const size_t now = xp.subscriptions().size();
        subscribed = std::max(subscribed, now);
        if (subscribed > 0 && now == 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const size_t left = xp.subscriptions().size();
    size_t cancelled = 0;
    for (const auto &r : xp.requests()) cancelled += r.ask.frequency == 0;
    std::cout << "subscribed " << subscribed << ", cancelled " << cancelled << ", left " << left << std::endl;
    return subscribed > 0 && left == 0 ? 0 : 1;
}
