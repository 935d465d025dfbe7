// --live: a running X-Plane's flight through the plug-in, frame by frame at
// --fps in wall time, in the preview window or offscreen into a video or
// the PNG of the last frame after --duration S.

#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>

#include "LiveFeed.h"
#include "Modes.h"
#include "host/OffscreenGL.h"
#include "outputs/Video.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace sim {

namespace {

// The live flight: no tracks; everything it shows comes from the feed.
Flight LiveFlight()
{
    Flight f;
    f.name = "X-Plane, live";
    return f;
}

int RunOffscreen(const Options &opts, std::vector<Event> events, LiveFeed &feed)
{
    const Flight flight = LiveFlight();
    const auto gl = OpenOffscreenGL(opts);
    Session session(opts, flight, std::move(events));
    session.start();
    feed.attach(session);
    RunVideo video;

    const double end = opts.duration.value_or(INFINITY);
    const auto started = LiveFeed::Clock::now();
    auto begun = started;
    double t = 0;
    bool ended = false;
    while (!Interrupted()) {
        feed.publish();
        session.frame(t);
        ended = t >= end;
        if (!opts.video.empty() || ended) {
            Image picture = session.capture();
            if (!opts.video.empty()) {
                if (!video.writer) video = StartVideo(opts, session, t);
                video.writer->add(video.part ? picture.cropped(*video.part) : picture);
            }
            if (ended && !opts.png.empty()) {
                WritePng(opts.png, picture);
                std::cout << "flyer-sim: wrote " << opts.png << " (t=" << t << " s)\n";
            }
        } else {
            gl->finish();
        }
        feed.shown();
        if (ended) break;
        feed.waitForFrame(begun);
        begun = LiveFeed::Clock::now();
        t = std::min(end, std::chrono::duration<double>(begun - started).count());
    }
    feed.finish(std::chrono::duration<double>(LiveFeed::Clock::now() - started).count());
    int code = ReportFailures(session.finish());
    if (video.writer) {
        video.writer->finish();
        std::cout << "flyer-sim: wrote video " << opts.video << " (" << video.writer->frames() << " frames at " << opts.fps
                  << " fps)\n";
    }
    if (Interrupted()) {
        if (!opts.png.empty() && !ended) std::cerr << "flyer-sim: interrupted before --duration; no " << opts.png << "\n";
        return InterruptedExitCode();
    }
    return code;
}

}  // namespace

int RunLive(const Options &opts)
{
    std::vector<Event> events = LoadEvents(opts);
    LiveFeed feed(opts);
    if (opts.window) return RunPreview(opts, LiveFlight(), std::move(events), "X-Plane, live", &feed);
    return RunOffscreen(opts, std::move(events), feed);
}

}  // namespace sim
