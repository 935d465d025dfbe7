// --window: the flight in real time in a window (PreviewWindow: GLFW on
// Linux, Win32 on Windows), or with --live what X-Plane sends. The panel
// commands are bound to keys (press = begin phase, hold = continue, release
// = end), the mouse drags the panel as in the simulator.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "Preview.h"
#include "PreviewWindow.h"
#include "cli/Help.h"
#include "host/PanelInterface.h"
#include "modes/LiveFeed.h"
#include "modes/Modes.h"
#include "screen/Contexts.h"
#include "serve/ServedPanel.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace sim {

namespace {

// V steps through the view types the panel shows in, then those it does not.
std::vector<int> ViewCycle()
{
    std::vector<int> views(std::begin(host::kShownViews), std::end(host::kShownViews));
    views.insert(views.end(), std::begin(host::kHiddenViews), std::end(host::kHiddenViews));
    return views;
}

bool Shown(int view)
{
    return std::find(std::begin(host::kShownViews), std::end(host::kShownViews), view) !=
           std::end(host::kShownViews);
}

// The window's input, in the simulator's terms.
struct PreviewInput : PreviewWindow::Events {
    Session &session;
    PreviewWindow &window;
    bool pausable;
    bool paused = false;
    bool buttonDown = false;

    PreviewInput(Session &s, PreviewWindow &w, bool canPause) : session(s), window(w), pausable(canPause) {}

    void key(int key, KeyAction action) override
    {
        for (const WindowKey &k : kWindowKeys)
            if (k.key == key) {
                session.command(host::CommandName(k.command), action == KeyAction::Press    ? xplm_CommandBegin
                                                              : action == KeyAction::Repeat ? xplm_CommandContinue
                                                                                            : xplm_CommandEnd);
                return;
            }
        if (action != KeyAction::Press) return;
        if (key == ' ' && pausable) paused = !paused;
        if (key == kEscapeKey) window.close();
        if (key == 'V') {
            static const std::vector<int> views = ViewCycle();
            const auto at = std::find(views.begin(), views.end(), session.view());
            const int next = at == views.end() || at + 1 == views.end() ? views.front() : *(at + 1);
            session.setView(next);
            std::cerr << "flyer-sim: view type " << next << (Shown(next) ? "" : " (not listed)") << "\n";
        }
    }
    void button(bool down, int x, int y) override
    {
        buttonDown = down;
        session.mouse(x, y, down ? xplm_MouseDown : xplm_MouseUp);
    }
    void moved(int x, int y) override
    {
        if (buttonDown) session.mouse(x, y, xplm_MouseDrag);
    }
};

// The preview's loop: the flight, or with `live` what X-Plane sends, in
// real time; `name` titles the window. With --serve the web browsers that
// watch are shown the same frames.
int RunPreview(const Plan &plan, const Flight &flight, std::vector<Event> events, const std::string &name,
               LiveFeed *live)
{
    std::unique_ptr<ServedPanel> served;
    if (plan.serve) served = std::make_unique<ServedPanel>(*plan.serve, false);
    const std::string keys = WindowKeysHelp(!live);
    AskWindowRenderer(plan.gl);
    auto window = PreviewWindow::Open(plan.session.screenWidth, plan.session.screenHeight,
                                      "flyer-sim: " + name + "   " + keys);
    CheckWindowRenderer(plan.gl, plan.session.verbose);
    SessionSettings settings = plan.session;
    settings.screenWidth = window->width();
    settings.screenHeight = window->height();

    // Without --duration the preview stays open (at the end of the flight)
    // until it is closed; a screenshot is taken at 2 s unless told otherwise.
    const double end = plan.duration.value_or(plan.screenshot.empty() ? INFINITY : 2.0);
    if (!live && std::isfinite(end)) WarnOfLateEvents(events, end);
    Session session(settings, flight, std::move(events));
    session.start();
    if (live) live->attach(session);
    PreviewInput input(session, *window, !live);
    std::cerr << "flyer-sim: keys: " << keys << ", Esc quit\n";

    const std::string replaying = ServedPanel::Replaying(flight.name);
    const auto frame = std::chrono::duration<double>(1.0 / plan.fps);
    const auto started = std::chrono::steady_clock::now();
    auto last = started;
    double t = 0;
    while (!window->closed() && !Interrupted()) {
        if (live) live->publish();
        if (served) {
            served->news(live ? live->status() : replaying);
            served->beforeFrame(session);
        }
        session.frame(t);
        if (served) served->afterFrame(session, live ? live->newestArrival(last) : last);
        if (t >= end) {
            if (!plan.screenshot.empty()) {
                WritePng(plan.screenshot, session.capture());
                std::cout << "flyer-sim: wrote " << plan.screenshot << " (t=" << t << " s)\n";
            }
            break;
        }
        window->present();
        if (live) live->shown();
        window->poll(input);
        if (live)
            live->waitForFrame(last);
        else
            std::this_thread::sleep_until(last + frame);
        const auto now = std::chrono::steady_clock::now();
        if (!input.paused) t = std::min(end, t + std::chrono::duration<double>(now - last).count());
        last = now;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (live) live->finish(seconds);
    if (served) served->finish(seconds);
    int code = ReportFailures(session.finish());
    return Interrupted() ? InterruptedExitCode() : code;
}

}  // namespace

int RunWindow(const Plan &plan)
{
    Input in = LoadInput(plan);
    return RunPreview(plan, in.flight, std::move(in.events), in.flight.name, nullptr);
}

int RunLiveWindow(const Plan &plan)
{
    std::vector<Event> events = LoadEvents(plan);
    LiveFeed feed(plan);
    return RunPreview(plan, LiveFlight(), std::move(events), "X-Plane, live", &feed);
}

}  // namespace sim
