// The offscreen runs in wall time, frame by frame at --fps: --live into a
// video or the PNG of the frame after --duration S, and --serve, replaying
// the flight or live, each frame's panel to the web browsers that watch
// (serve/ServedPanel.h). A served replay starts at --from (the events before
// it fall due at its first frame) and holds its last frame at the flight's
// end; a served run lasts until Ctrl-C, SIGTERM or --duration, the end in
// the flight's time. (In the preview window: preview/Preview.cpp.)

#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <thread>

#include "LiveFeed.h"
#include "Modes.h"
#include "outputs/Video.h"
#include "serve/ServedPanel.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace sim {

namespace {

int RunInRealTime(const Plan &plan, bool live)
{
    std::unique_ptr<LiveFeed> feed;
    Input in;
    if (live) {
        feed = std::make_unique<LiveFeed>(plan);
        in.flight = LiveFlight();
        in.events = LoadEvents(plan);
    } else {
        in = LoadInput(plan);
    }
    const double end = plan.duration.value_or(INFINITY);
    if (!live && std::isfinite(end)) WarnOfLateEvents(in.events, end);
    // Listening first: a port in use ends the run before the plug-in loads.
    std::unique_ptr<ServedPanel> served;
    if (plan.serve) served = std::make_unique<ServedPanel>(*plan.serve, true);  // only the panel is read
    const auto gl = OpenOffscreenGL(plan);
    Session session(plan.session, in.flight, std::move(in.events));
    session.start();
    if (feed) feed->attach(session);
    const std::string replaying = ServedPanel::Replaying(in.flight.name);
    RunVideo video;

    using Clock = std::chrono::steady_clock;
    const auto frame = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / plan.fps));
    const auto started = Clock::now();
    auto begun = started;
    const double from = live ? 0 : plan.from;
    double t = from;
    bool ended = false;
    while (!Interrupted()) {
        Clock::time_point born = begun;
        if (feed) {
            feed->publish();
            born = feed->newestArrival(begun);
        }
        if (served) {
            served->news(feed ? feed->status() : replaying);
            served->beforeFrame(session);
        }
        session.frame(t);
        ended = t >= end;
        if (served) served->afterFrame(session, born);
        if (!plan.video.empty() || (ended && !plan.png.empty())) {
            Image picture = session.capture();
            if (!plan.video.empty()) {
                if (!video.writer) video = StartVideo(plan, session, t);
                video.writer->add(video.part ? picture.cropped(*video.part) : picture);
            }
            if (ended && !plan.png.empty()) {
                WritePng(plan.png, picture);
                std::cout << "flyer-sim: wrote " << plan.png << " (t=" << t << " s)\n";
            }
        } else if (!served) {
            gl->finish();
        }
        if (feed) feed->shown();
        if (ended) break;
        if (feed)
            feed->waitForFrame(begun);
        else
            std::this_thread::sleep_until(begun + frame);
        begun = Clock::now();
        t = std::min(end, from + std::chrono::duration<double>(begun - started).count());
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    if (feed) feed->finish(seconds);
    if (served) served->finish(seconds);
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

}  // namespace

int RunLive(const Plan &plan) { return RunInRealTime(plan, true); }

int RunServe(const Plan &plan) { return RunInRealTime(plan, plan.mode == Plan::Mode::LiveServe); }

}  // namespace sim
