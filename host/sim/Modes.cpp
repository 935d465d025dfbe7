#include "Modes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>

#include "ContactSheet.h"
#include "Flight.h"
#include "FlightError.h"
#include "Instrument.h"
#include "Progress.h"
#include "Session.h"
#include "Video.h"
#include "host/OffscreenGL.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

constexpr const char *kSelect = "sim/view/ostrel_select";
constexpr double kDemoVideoFps = 20;

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

// The nearest-rank p-quantile (0 < p <= 1) of v.
double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(std::ceil(p * double(v.size()))) - 1)];
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// An even span of at least len pixels from start, within 0 to limit.
void EvenSpan(int &start, int &len, int limit)
{
    if (len % 2 == 0) return;
    if (start + len < limit)
        ++len;
    else if (start > 0)
        --start, ++len;
    else
        --len;
}

// The video stream for the run, sized by --video-size at its first frame.
std::unique_ptr<VideoWriter> StartVideo(const Options &opts, const Session &session)
{
    const int w = session.width(), h = session.height();
    std::string filter;
    if (opts.videoSize == "panel") {
        host::Rect r;
        if (session.windowsRect(r)) {
            int x = r.left, y = h - r.top, cw = r.width(), ch = r.height();
            EvenSpan(x, cw, w);
            EvenSpan(y, ch, h);
            filter = "crop=" + std::to_string(cw) + ":" + std::to_string(ch) + ":" + std::to_string(x) +
                     ":" + std::to_string(y);
        } else {
            std::cerr << "flyer-sim: warning: --video-size panel: no window of the plug-in is shown "
                         "at the first frame; the video shows the whole screen\n";
        }
    } else if (!opts.videoSize.empty()) {
        const size_t x = opts.videoSize.find_first_of("xX");
        filter = "scale=" + opts.videoSize.substr(0, x) + ":" + opts.videoSize.substr(x + 1) +
                 ":flags=lanczos";
    }
    if (filter.empty() && (w % 2 || h % 2))
        filter = "crop=" + std::to_string(w - w % 2) + ":" + std::to_string(h - h % 2) + ":0:0";
    return std::make_unique<VideoWriter>(opts.video, w, h, opts.fps, filter);
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
    auto toOut = [&](int k) {
        return !opts.outDir.empty() && k >= first && (k - first) % opts.every == 0 &&
               (!opts.outUntil || k / opts.fps <= *opts.outUntil + 1e-9);
    };
    auto toVideo = [&](int k) { return !opts.video.empty() && k >= first; };
    // A run that writes nothing is flown for its checks: every frame is drawn.
    const bool checksOnly = opts.outDir.empty() && opts.sheet.empty() && opts.video.empty();
    int toWrite = 0;
    for (int k = 0; k <= last; ++k) toWrite += toOut(k) || sheetFrames.count(k) || toVideo(k);

    host::OffscreenGL gl(opts.screenWidth, opts.screenHeight);
    Session session(opts, in.flight, in.events);
    session.start();
    std::unique_ptr<VideoWriter> video;
    int written = 0;
    Progress progress(opts.video.empty() ? "frames" : "video", toWrite);
    for (int k = 0; k <= last; ++k) {
        const double t = k / opts.fps;
        const bool out = toOut(k), onSheet = sheetFrames.count(k) > 0, inVideo = toVideo(k);
        if (!out && !onSheet && !inVideo) {
            checksOnly ? void(session.frame(t)) : session.skip(t);
            continue;
        }
        session.frame(t);
        Image frame = session.capture();
        if (out) {
            WritePng(FrameFile(opts.outDir, k), frame);
            ++written;
        }
        if (onSheet) sheet.add(frame, t);
        if (inVideo) {
            if (!video) video = StartVideo(opts, session);
            video->add(frame);
        }
        progress.step();
    }
    progress.done();
    int code = Report(session.finish());
    if (written) std::cout << "flyer-sim: wrote " << written << " frames to " << opts.outDir << "\n";
    if (!opts.sheet.empty()) {
        WritePng(opts.sheet, sheet.render());
        std::cout << "flyer-sim: wrote contact sheet " << opts.sheet << "\n";
    }
    if (video) {
        video->finish();
        std::cout << "flyer-sim: wrote video " << opts.video << " (" << video->frames() << " frames at "
                  << opts.fps << " fps)\n";
    }
    if (checksOnly && code == 0)
        std::cerr << "flyer-sim: flew " << last + 1 << " frames (" << duration << " s), all checks passed\n";
    return code;
}

int RunAt(const Options &opts)
{
    Input in = LoadInput(opts);
    const double at = *opts.at;
    host::OffscreenGL gl(opts.screenWidth, opts.screenHeight);
    Session session(opts, in.flight, in.events);
    session.start();
    // The frames before it, so events and the splash fall as they would.
    for (int k = 0; k / opts.fps < at - 1e-9; ++k) session.skip(k / opts.fps);
    session.frame(at);
    Image frame = session.capture();
    int code = Report(session.finish());
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
    Progress progress("bench", 4 * opts.frames);
    for (const char *panel : {"GA", "Glass"}) {
        std::vector<Event> events = in.events;
        if (std::string(panel) == "Glass") events.insert(events.begin(), SelectAtStart());
        if (std::string(panel) == "GA")
            for (const std::string &fn : instrument::ImportedGlFunctions(opts.plugin)) {
                const auto &counted = instrument::CountedGlFunctions();
                if (std::find(counted.begin(), counted.end(), fn) == counted.end())
                    std::cerr << "flyer-sim: warning: the plug-in imports " << fn
                              << ", which gl_calls does not count\n";
            }
        // The same frames twice: through the driver, then with GL going
        // nowhere, which leaves the plug-in's own work.
        std::vector<double> micros, self;
        double glCalls = 0, allocations = 0;
        for (GlDispatch dispatch : {GlDispatch::Driver, GlDispatch::Null}) {
            Session session(opts, in.flight, events);
            session.start();
            for (int k = 0; k < opts.frames; ++k) {
                FrameStats s = session.frame(opts.from + k / opts.fps, dispatch);
                if (dispatch == GlDispatch::Null) {
                    self.push_back(s.drawMicros);
                } else {
                    micros.push_back(s.drawMicros);
                    glCalls += double(s.glCalls);
                    allocations += double(s.allocations);
                }
                progress.step();
            }
            code = std::max(code, Report(session.finish()));
        }
        const size_t n = micros.size();
        // Without interposition (Windows) neither the calls nor the null
        // dispatch reach the plug-in's GL, so both figures would be false.
        const bool counted = instrument::GlCallsCounted();
        char selfUs[32] = "n/a";
        if (counted) std::snprintf(selfUs, sizeof selfUs, "%.1f", Median(self));
        std::printf("panel=%s frames=%d median_us=%.1f p99_us=%.1f self_us=%s gl_calls=%s allocs=%s\n",
                    panel, opts.frames, Median(micros), Percentile(micros, 0.99),
                    selfUs,
                    counted ? Figure(glCalls / double(n)).c_str() : "n/a",
                    instrument::AllocationsCounted() ? Figure(allocations / double(n)).c_str() : "n/a");
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
    const std::string stem = IsBuiltInFlight(opts.flight) ? opts.flight : fs::path(opts.flight).stem().string();
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

        // The whole flight as a video of the panel.
        Options v = opts;
        v.demo.clear();
        if (!opts.fpsGiven) v.fps = kDemoVideoFps;
        v.video = (dir / (stem + "-" + panel + ".mp4")).string();
        v.videoSize = "panel";
        if (glass) v.commands.insert(v.commands.begin(), SelectAtStart());
        code = std::max(code, RunSequence(v));
        made.push_back(v.video);
    }
    std::cout << "flyer-sim: demo written under " << dir.string() << ":\n";
    for (const std::string &m : made) std::cout << "  " << m << "\n";
    return code;
}

}  // namespace sim
