#include "Session.h"

#include <GL/gl.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <set>

#include "counting/Counting.h"
#include "flights/InputText.h"
#include "host/ContextGraphics.h"
#include "host/OffscreenGL.h"
#include "screen/OutsideView.h"
#include "screen/ScreenParts.h"

namespace sim {

namespace {

// Applies the simulator's tracked graphics state and texture binds to the
// current context, whatever made it (EGL offscreen or the preview window),
// as the host's own calls, not the plug-in's.
class SimGraphics : public host::ContextGraphics {
protected:
    bool enter() override
    {
        scope_.emplace();
        return true;
    }
    void leave() override { scope_.reset(); }

private:
    std::optional<counting::HostScope> scope_;
};

const char *PhaseName(XPLMCommandPhase p)
{
    return p == xplm_CommandBegin ? "begin" : p == xplm_CommandContinue ? "continue" : "end";
}

const char *MouseName(XPLMMouseStatus s)
{
    return s == xplm_MouseDown ? "down" : s == xplm_MouseDrag ? "drag" : "up";
}

// The host, reset for a session on a screen of the settings' size.
host::Host &FreshHost(const SessionSettings &settings, host::GraphicsBackend *graphics)
{
    host::Host &h = host::Host::instance();
    h.reset();
    h.setTracing(false);
    h.setScreenSize(settings.screenWidth, settings.screenHeight);
    h.setGraphicsBackend(graphics);
    if (!settings.log.empty()) h.setLogFile(settings.log);
    return h;
}

// Whether a line of the plug-in's log reports a failure: the plug-in logs
// what went wrong ("Failed to bind the master texture", "Bad DataRef ...
// Error!", "The GL refused ..."), which a run shows even without --verbose.
bool ReportsFailure(std::string line)
{
    for (char &c : line) c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const char *word : {"error", "fail", "refuse", "cannot", "can't", "could not", "warning", "missing"})
        if (line.find(word) != std::string::npos) return true;
    return false;
}

// Each failure line once per run of flyer-sim, however many sessions log it.
bool FirstTimeShown(const std::string &line)
{
    static std::set<std::string> shown;
    return shown.insert(line).second;
}

}  // namespace

Session::Session(const SessionSettings &settings, const Flight &flight, std::vector<Event> events)
    : settings_(settings),
      flight_(flight),
      events_(std::move(events)),
      width_(settings.screenWidth),
      height_(settings.screenHeight),
      graphics_(std::make_unique<SimGraphics>()),
      host_(FreshHost(settings, graphics_.get())),
      datarefs_(host_, settings.view, settings.overrides, settings.missing, flight_),
      router_([this](host::Window &w, int x, int y, XPLMMouseStatus status) {
          int taken = 0;
          callPlugin(std::string("the mouse callback (") + MouseName(status) + " at " +
                         std::to_string(x) + ", " + std::to_string(y) + ")",
                     [&] { taken = w.mouse(&w, x, y, status, w.refcon); });
          return taken;
      })
{
    SortEvents(events_);
    drawnView_ = datarefs_.view();
}

Session::~Session()
{
    if (started_ && !finished_) finish();
    host_.setGraphicsBackend(nullptr);
}

std::string Session::when() const
{
    char buf[48];
    std::snprintf(buf, sizeof buf, " at t=%.3f s", now_);
    return buf;
}

void Session::echo()
{
    const auto &log = host_.log();
    for (; logEchoed_ < log.size(); ++logEchoed_) {
        std::string line = log[logEchoed_];
        if (!line.empty() && line.back() == '\n') line.pop_back();
        if (settings_.verbose)
            std::cerr << "[log] " << Printable(line) << "\n";
        else if (ReportsFailure(line) && FirstTimeShown(line))
            std::cerr << "flyer-sim: the plug-in logged: " << Printable(line) << "\n";
    }
    if (!settings_.verbose) return;
    const auto &spoken = host_.spoken();
    for (; spokenEchoed_ < spoken.size(); ++spokenEchoed_)
        std::cerr << "[speak] " << Printable(spoken[spokenEchoed_]) << "\n";
}

template <class F>
void Session::callPlugin(const std::string &what, F &&f)
{
    const std::string where = what + when();
    const CallbackEntry entry = EnterCallback(where, failures_.reporter());
    {
        counting::PluginScope scope;
        f();
    }
    LeaveCallback(entry, where, host_, failures_.reporter());
    echo();
}

void Session::start()
{
    folder_ = std::make_unique<SimFolder>(settings_.plugin, settings_.texture);
    if (folder_->textureMissing())
        std::cerr << "flyer-sim: warning: no texture at " << settings_.texture
                  << "; the plug-in runs without its master texture\n";
    try {
        plugin_ = std::make_unique<host::PluginLibrary>(folder_->pluginPath().string());
    } catch (const host::PluginLoadError &e) {
        throw host::PluginLoadError(std::string(e.what()) + " (a copy of " + settings_.plugin + ")");
    }
    counting::SetPluginCode(plugin_->handle());
    started_ = true;

    char name[256] = "", sig[256] = "", desc[256] = "";
    int ok = 0;
    callPlugin("XPluginStart", [&] { ok = plugin_->start(name, sig, desc); });
    if (settings_.verbose)
        std::cerr << "flyer-sim: loaded \"" << name << "\" (" << sig << "), " << desc << "\n";
    if (ok != 1) failures_.fail("start", "XPluginStart returned " + std::to_string(ok));
    int enabled = 0;
    callPlugin("XPluginEnable", [&] { enabled = plugin_->enable(); });
    if (enabled != 1) failures_.fail("enable", "XPluginEnable returned " + std::to_string(enabled));

    for (const Event &e : events_)
        if (e.kind == Event::Kind::Command && !host_.command(e.command)) {
            std::string known;
            for (const auto &c : host_.commands()) known += "\n  " + c->name;
            throw UsageError(e.origin + ": no command \"" + e.command +
                             "\"; the plug-in created:" + (known.empty() ? " none" : known));
        }
}

void Session::command(const std::string &name, XPLMCommandPhase phase)
{
    callPlugin("the handlers of " + name + " (" + PhaseName(phase) + ")",
               [&] { host_.fire(name, phase); });
}

void Session::mouse(int x, int y, XPLMMouseStatus status)
{
    router_.deliver(host_, x, y, status);
}

void Session::deliverEvents(double t)
{
    for (; nextEvent_ < events_.size() && events_[nextEvent_].time <= t + 1e-9; ++nextEvent_) {
        const Event &e = events_[nextEvent_];
        if (e.kind == Event::Kind::Command)
            for (int phase : e.phases) command(e.command, phase);
        else
            mouse(e.x, e.y, e.mouse);
    }
}

FrameStats Session::frame(double t, GlDispatch gl)
{
    FrameStats stats;
    now_ = t;
    const uint64_t gl0 = counting::GlCalls(), alloc0 = counting::Allocations();
    host_.setElapsedTime(float(t));
    datarefs_.apply(t);
    deliverEvents(t);
    drawnView_ = datarefs_.view();

    // The simulator's picture, then its window-drawing phase: screen pixels,
    // origin at the lower left.
    host::SetWindowProjection(width_, height_);
    if (gl == GlDispatch::Driver) {
        ScissorTo(height_, kept_);
        glClearColor(settings_.background[0], settings_.background[1], settings_.background[2], 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (settings_.outsideView) DrawOutsideView(width_, height_, OutsideAttitudeOf(host_));
        ScissorTo(height_, std::nullopt);
        // The plug-in's draw time (--bench) should not include rasterizing
        // the picture under it, which a software renderer may do at the
        // plug-in's first flush. Elsewhere a software renderer rasterizes
        // that picture on its threads while the plug-in draws.
        if (settings_.finishPictureFirst)
            glFinish();
        else
            glFlush();
    }

    std::optional<counting::NullGlScope> nullGl;
    if (gl == GlDispatch::Null) nullGl.emplace();
    const auto &windows = host_.windows();
    const size_t states0 = host_.graphicsStates().size();
    bool drawn = false;
    for (size_t i = 0; i < windows.size(); ++i) {
        host::Window &w = *windows[i];
        if (w.destroyed || !w.visible || !w.draw) continue;
        drawn = true;
        callPlugin("the draw callback", [&] {
            auto start = std::chrono::steady_clock::now();
            w.draw(&w, w.refcon);
            stats.drawMicros +=
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count();
        });
    }
    stats.glCalls = counting::GlCalls() - gl0;
    stats.allocations = counting::Allocations() - alloc0;
    if (drawn && gl == GlDispatch::Driver) {
        ++framesDrawn_;
        if (stats.glCalls > 0 || host_.graphicsStates().size() > states0) ++framesWithDrawing_;
    }
    return stats;
}

void Session::skip(double t)
{
    if (settings_.everyFrame) {
        frame(t);
        return;
    }
    const bool eventsDue = nextEvent_ < events_.size() && events_[nextEvent_].time <= t + 1e-9;
    if (eventsDue || datarefs_.viewAt(t) != drawnView_) {
        frame(t, GlDispatch::Null);
        return;
    }
    now_ = t;
}

std::optional<PixelBox> Session::windowsBox() const
{
    return WindowsBox(host_, width_, height_);
}

bool Session::windowsShown() const
{
    return WindowsShown(host_);
}

Image Session::capture() const
{
    return CaptureScreen(height_, keptPart());
}

void Session::readPixels(uint8_t *out) const
{
    ReadScreen(height_, keptPart(), out);
}

std::vector<std::string> Session::finish()
{
    if (started_ && !finished_) {
        finished_ = true;
        callPlugin("XPluginDisable", [&] { plugin_->disable(); });
        callPlugin("XPluginStop", [&] { plugin_->stop(); });
        CheckStopped(host_, failures_.reporter());
        counting::ClearPluginCode();
        plugin_.reset();  // dlclose
        // A plug-in that set no graphics state and made no GL call in any
        // drawn frame drew nothing (one that could not load its texture):
        // the run did not show what it was asked to.
        if (framesDrawn_ > 0 && framesWithDrawing_ == 0)
            failures_.fail("nothing drawn", "the plug-in drew nothing in any of the " + std::to_string(framesDrawn_) +
                                                " frames drawn (its log above says why)");
        if (host_.logFileFailed())
            failures_.fail("log", "cannot write the plug-in's log to " + (settings_.logName.empty() ? settings_.log : settings_.logName));
    }
    return failures_.failures();
}

}  // namespace sim
