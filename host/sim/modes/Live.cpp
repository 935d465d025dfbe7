// --live offscreen: a running X-Plane's flight through the plug-in, frame by
// frame at --fps in wall time, into a video or the PNG of the last frame
// after --duration S. (In the preview window: preview/Preview.cpp.)

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

int RunLive(const Plan &plan)
{
    std::vector<Event> events = LoadEvents(plan);
    LiveFeed feed(plan);
    const Flight flight = LiveFlight();
    const auto gl = OpenOffscreenGL(plan);
    Session session(plan.session, flight, std::move(events));
    session.start();
    feed.attach(session);
    RunVideo video;

    const double end = plan.duration.value_or(INFINITY);
    const auto started = LiveFeed::Clock::now();
    auto begun = started;
    double t = 0;
    bool ended = false;
    while (!Interrupted()) {
        feed.publish();
        session.frame(t);
        ended = t >= end;
        if (!plan.video.empty() || ended) {
            Image picture = session.capture();
            if (!plan.video.empty()) {
                if (!video.writer) video = StartVideo(plan, session, t);
                video.writer->add(video.part ? picture.cropped(*video.part) : picture);
            }
            if (ended && !plan.png.empty()) {
                WritePng(plan.png, picture);
                std::cout << "flyer-sim: wrote " << plan.png << " (t=" << t << " s)\n";
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
        std::cout << "flyer-sim: wrote video " << plan.video << " (" << video.writer->frames() << " frames at " << plan.fps
                  << " fps)\n";
    }
    if (Interrupted()) {
        if (!plan.png.empty() && !ended) std::cerr << "flyer-sim: interrupted before --duration; no " << plan.png << "\n";
        return InterruptedExitCode();
    }
    return code;
}

}  // namespace sim
