#include "Modes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>

#include "ContactSheet.h"
#include "Flight.h"
#include "FlightError.h"
#include "Instrument.h"
#include "Session.h"
#include "host/OffscreenGL.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

constexpr const char *kSelect = "sim/view/ostrel_select";

struct Input {
    Flight flight;
    std::vector<Event> events;
};

Input LoadInput(const Options &opts)
{
    Input in{LoadFlight(opts.flight), {}};
    for (const std::string &note : in.flight.notes) std::cerr << "flyer-sim: " << note << "\n";
    if (!opts.eventsFile.empty()) in.events = LoadEvents(opts.eventsFile);
    in.events.insert(in.events.end(), opts.commands.begin(), opts.commands.end());
    return in;
}

int Report(const std::vector<std::string> &failures)
{
    for (const std::string &f : failures) std::cerr << "flyer-sim: check failed: " << f << "\n";
    return failures.empty() ? 0 : 1;
}

int FrameCount(double seconds, double fps)
{
    return int(std::floor(seconds * fps + 1e-9));
}

std::string FrameFile(const fs::path &dir, int k)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05d.png", k);
    return (dir / name).string();
}

std::string Figure(double v)
{
    char buf[32];
    if (std::fabs(v - std::round(v)) < 1e-9)
        std::snprintf(buf, sizeof buf, "%.0f", v);
    else
        std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

Event SelectAtStart()
{
    Event e;
    ParseCommandAt(std::string(kSelect) + "@0", e);
    e.origin = "the Glass panel selection";
    return e;
}

}  // namespace

int RunSequence(const Options &opts, const std::string &title)
{
    Input in = LoadInput(opts);
    const double duration = opts.duration.value_or(in.flight.duration);
    const int last = FrameCount(duration, opts.fps);
    const int first = int(std::ceil(opts.from * opts.fps - 1e-9));

    std::set<int> sheetFrames;
    if (!opts.sheet.empty())
        for (int i = 0; i < opts.sheetFrames; ++i)
            sheetFrames.insert(opts.sheetFrames == 1 ? 0
                                                     : int(std::lround(double(i) * last / (opts.sheetFrames - 1))));
    if (!opts.outDir.empty()) fs::create_directories(opts.outDir);
    ContactSheet sheet(title.empty() ? "Ostrel-Flyer, flight " + in.flight.name : title);

    host::OffscreenGL gl(opts.screenWidth, opts.screenHeight);
    Session session(opts, in.flight, in.events);
    session.Start();
    int written = 0;
    for (int k = 0; k <= last; ++k) {
        const double t = k / opts.fps;
        session.Frame(t);
        const bool out = !opts.outDir.empty() && k >= first && (k - first) % opts.every == 0 &&
                         (!opts.outUntil || t <= *opts.outUntil + 1e-9);
        const bool onSheet = sheetFrames.count(k) > 0;
        if (!out && !onSheet) continue;
        Image frame = session.Capture();
        if (out) {
            WritePng(FrameFile(opts.outDir, k), frame);
            ++written;
        }
        if (onSheet) sheet.Add(frame, t);
    }
    int code = Report(session.Finish());
    if (written) std::cout << "flyer-sim: wrote " << written << " frames to " << opts.outDir << "\n";
    if (!opts.sheet.empty()) {
        WritePng(opts.sheet, sheet.Render());
        std::cout << "flyer-sim: wrote contact sheet " << opts.sheet << "\n";
    }
    if (opts.outDir.empty() && opts.sheet.empty() && code == 0)
        std::cerr << "flyer-sim: flew " << last + 1 << " frames (" << duration << " s), all checks passed\n";
    return code;
}

int RunAt(const Options &opts)
{
    Input in = LoadInput(opts);
    const double at = *opts.at;
    host::OffscreenGL gl(opts.screenWidth, opts.screenHeight);
    Session session(opts, in.flight, in.events);
    session.Start();
    // The frames before it, so events and the splash fall as they would.
    for (int k = 0; k / opts.fps < at - 1e-9; ++k) session.Frame(k / opts.fps);
    session.Frame(at);
    Image frame = session.Capture();
    int code = Report(session.Finish());
    WritePng(opts.png, frame);
    std::cout << "flyer-sim: wrote " << opts.png << " (t=" << at << " s)\n";
    return code;
}

int RunBench(const Options &opts)
{
    Input in = LoadInput(opts);
    host::OffscreenGL gl(opts.screenWidth, opts.screenHeight);
    std::cerr << "flyer-sim: bench: " << opts.frames << " frames from t=" << opts.from << " s at "
              << opts.fps << " fps, " << opts.screenWidth << "x" << opts.screenHeight << ", "
              << gl.renderer() << "\n";
    int code = 0;
    for (const char *panel : {"GA", "Glass"}) {
        std::vector<Event> events = in.events;
        if (std::string(panel) == "Glass") events.insert(events.begin(), SelectAtStart());
        Session session(opts, in.flight, events);
        session.Start();
        if (std::string(panel) == "GA")
            for (const std::string &fn : instrument::ImportedGlFunctions(opts.plugin)) {
                const auto &counted = instrument::CountedGlFunctions();
                if (std::find(counted.begin(), counted.end(), fn) == counted.end())
                    std::cerr << "flyer-sim: warning: the plug-in imports " << fn
                              << ", which gl_calls does not count\n";
            }
        std::vector<double> micros;
        double glCalls = 0, allocations = 0;
        for (int k = 0; k < opts.frames; ++k) {
            FrameStats s = session.Frame(opts.from + k / opts.fps);
            micros.push_back(s.drawMicros);
            glCalls += double(s.glCalls);
            allocations += double(s.allocations);
        }
        code = std::max(code, Report(session.Finish()));
        std::sort(micros.begin(), micros.end());
        const size_t n = micros.size();
        const double median = n % 2 ? micros[n / 2] : (micros[n / 2 - 1] + micros[n / 2]) / 2;
        const double p99 = micros[std::min(n - 1, size_t(std::ceil(0.99 * double(n))) - 1)];
        std::printf("panel=%s frames=%d median_us=%.1f p99_us=%.1f gl_calls=%s allocs=%s\n", panel,
                    opts.frames, median, p99,
                    instrument::GlCallsCounted() ? Figure(glCalls / n).c_str() : "n/a",
                    instrument::AllocationsCounted() ? Figure(allocations / n).c_str() : "n/a");
        std::fflush(stdout);
    }
    return code;
}

int RunDemo(const Options &opts)
{
    const fs::path dir = opts.demo;
    fs::create_directories(dir);
    int code = 0;
    std::vector<std::string> made;
    for (const char *panel : {"ga", "glass"}) {
        const bool glass = std::string(panel) == "glass";
        Options o = opts;
        o.demo.clear();
        // Ten frames a second are plenty for a sheet and a short sequence.
        if (!opts.fpsGiven) o.fps = 10;
        o.sheet = (dir / (std::string("sheet-") + panel + ".png")).string();
        o.outDir = (dir / (std::string("sequence-") + panel)).string();
        // The sequence: take-off roll, rotation, lift-off and the gear coming up.
        o.from = 33;
        o.outUntil = 49;
        o.every = std::max(1, int(std::lround(o.fps / 2)));
        if (glass) o.commands.insert(o.commands.begin(), SelectAtStart());
        fs::remove_all(o.outDir);
        code = std::max(code, RunSequence(o, std::string("Ostrel-Flyer ") + (glass ? "Glass" : "GA") +
                                                 " panel, flight " + o.flight));
        made.push_back(o.sheet);
        made.push_back(o.outDir + "/");
    }
    std::cout << "flyer-sim: demo written under " << dir.string() << ":\n";
    for (const std::string &m : made) std::cout << "  " << m << "\n";
    return code;
}

}  // namespace sim
