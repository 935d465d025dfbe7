#include "Session.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>

#include "CallbackChecks.h"
#include "Instrument.h"
#include "OutsideView.h"
#include "host/MesaGraphics.h"
#include "host/OffscreenGL.h"

namespace sim {

namespace {

// Applies the simulator's tracked graphics state and texture binds to the
// current context, whatever made it (EGL offscreen or the preview window),
// as the host's own calls, not the plug-in's.
class SimGraphics : public host::MesaGraphics {
protected:
    bool enter() override
    {
        scope_.emplace();
        return true;
    }
    void leave() override { scope_.reset(); }

private:
    std::optional<instrument::HostScope> scope_;
};

const char *PhaseName(XPLMCommandPhase p)
{
    return p == xplm_CommandBegin ? "begin" : p == xplm_CommandContinue ? "continue" : "end";
}

const char *MouseName(XPLMMouseStatus s)
{
    return s == xplm_MouseDown ? "down" : s == xplm_MouseDrag ? "drag" : "up";
}

// What an int dataref holds for a flight value.
int IntValue(double v)
{
    return std::isfinite(v) ? int(std::clamp(v, -2147483648.0, 2147483647.0)) : 0;
}

// A log file is started afresh once per run of flyer-sim, then appended to.
void StartLogFile(const std::string &path)
{
    static std::set<std::string> started;
    if (started.insert(path).second) std::ofstream(path, std::ios::trunc);
}

}  // namespace

Session::Session(const Options &opts, const Flight &flight, std::vector<Event> events)
    : opts_(opts),
      flight_(flight),
      events_(std::move(events)),
      width_(opts.screenWidth),
      height_(opts.screenHeight),
      host_(host::Host::instance()),
      graphics_(std::make_unique<SimGraphics>()),
      router_([this](host::Window &w, int x, int y, XPLMMouseStatus status) {
          int taken = 0;
          callPlugin(std::string("the mouse callback (") + MouseName(status) + " at " +
                         std::to_string(x) + ", " + std::to_string(y) + ")",
                     [&] { taken = w.mouse(&w, x, y, status, w.refcon); });
          return taken;
      })
{
    SortEvents(events_);
    host_.reset();
    host_.setTracing(false);
    host_.setScreenSize(width_, height_);
    host_.setGraphicsBackend(graphics_.get());
    if (!opts.log.empty()) {
        StartLogFile(opts.log);
        host_.setLogFile(opts.log);
    }

    // Every dataref at rest, then what the command line fixes for the run.
    for (const DatarefInfo &d : PublishedDatarefs()) {
        switch (d.type) {
        case DatarefType::Int: host_.defineInt(d.name, int(d.rest)); break;
        case DatarefType::Float: host_.defineFloat(d.name, float(d.rest)); break;
        case DatarefType::FloatArray:
            host_.defineFloatArray(d.name, std::vector<float>(size_t(d.size), float(d.rest)));
            break;
        }
    }
    viewRef_ = host_.dataRef(kViewTypeRef);
    viewRef_->i = opts.view;
    for (const Override &o : opts.overrides) {
        flight_.removeTrack(o.key);
        setValue(*host_.dataRef(o.key.info->name), o.key, o.value);
    }
    for (const DatarefInfo *d : opts.missing) host_.setAbsent(d->name);
    for (const Track &t : flight_.tracks) {
        bindings_.push_back({host_.dataRef(t.key.info->name), &t});
        if (bindings_.back().ref == viewRef_) viewTrack_ = &t;
    }
    drawnView_ = viewRef_->i;
}

Session::~Session()
{
    if (started_ && !finished_) finish();
    host_.setGraphicsBackend(nullptr);
}

void Session::setValue(host::DataRef &ref, const DatarefKey &key, double v)
{
    switch (key.info->type) {
    case DatarefType::Int:
        ref.i = IntValue(v);
        break;
    case DatarefType::Float: ref.f = float(v); break;
    case DatarefType::FloatArray: ref.fv[size_t(key.index)] = float(v); break;
    }
}

std::string Session::when() const
{
    char buf[48];
    std::snprintf(buf, sizeof buf, " at t=%.3f s", now_);
    return buf;
}

void Session::fail(const std::string &kind, const std::string &message)
{
    Failure &f = failures_[kind];
    if (f.count++ == 0) {
        f.first = message;
        failureOrder_.push_back(kind);
    }
}

void Session::echo()
{
    if (!opts_.verbose) return;
    const auto &log = host_.log();
    for (; logEchoed_ < log.size(); ++logEchoed_) {
        std::string line = log[logEchoed_];
        if (!line.empty() && line.back() == '\n') line.pop_back();
        std::cerr << "[log] " << line << "\n";
    }
    const auto &spoken = host_.spoken();
    for (; spokenEchoed_ < spoken.size(); ++spokenEchoed_)
        std::cerr << "[speak] " << spoken[spokenEchoed_] << "\n";
}

FailureReport Session::reporter()
{
    return [this](const std::string &kind, const std::string &message) { fail(kind, message); };
}

template <class F>
void Session::callPlugin(const std::string &what, F &&f)
{
    const std::string where = what + when();
    const CallbackEntry entry = EnterCallback(where, reporter());
    {
        instrument::PluginScope scope;
        f();
    }
    LeaveCallback(entry, where, host_, reporter());
    echo();
}

void Session::start()
{
    folder_ = std::make_unique<SimFolder>(opts_.plugin, opts_.texture);
    if (folder_->textureMissing())
        std::cerr << "flyer-sim: warning: no texture at " << opts_.texture
                  << "; the plug-in runs without its master texture\n";
    try {
        plugin_ = std::make_unique<host::PluginLibrary>(folder_->pluginPath().string());
    } catch (const host::PluginLoadError &e) {
        throw host::PluginLoadError(std::string(e.what()) + " (a copy of " + opts_.plugin + ")");
    }
    instrument::SetPluginCode(plugin_->handle());
    started_ = true;

    char name[256] = "", sig[256] = "", desc[256] = "";
    int ok = 0;
    callPlugin("XPluginStart", [&] { ok = plugin_->start(name, sig, desc); });
    if (opts_.verbose)
        std::cerr << "flyer-sim: loaded \"" << name << "\" (" << sig << "), " << desc << "\n";
    if (ok != 1) fail("start", "XPluginStart returned " + std::to_string(ok));
    int enabled = 0;
    callPlugin("XPluginEnable", [&] { enabled = plugin_->enable(); });
    if (enabled != 1) fail("enable", "XPluginEnable returned " + std::to_string(enabled));

    for (const Event &e : events_)
        if (e.kind == Event::Kind::Command && !host_.command(e.command)) {
            std::string known;
            for (const auto &c : host_.commands()) known += "\n  " + c->name;
            throw UsageError(e.origin + ": no command \"" + e.command +
                             "\"; the plug-in created:" + (known.empty() ? " none" : known));
        }
}

void Session::applyFlight(double t)
{
    for (const Binding &b : bindings_) setValue(*b.ref, b.track->key, b.track->valueAt(t));
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

void Session::setView(int view)
{
    bindings_.erase(std::remove_if(bindings_.begin(), bindings_.end(),
                                   [&](const Binding &b) { return b.ref == viewRef_; }),
                    bindings_.end());
    viewTrack_ = nullptr;
    viewRef_->i = view;
}

int Session::view() const
{
    return viewRef_->i;
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

void Session::drawOutside()
{
    auto f = [&](const char *name) { return host_.dataRef(name)->f; };
    OutsideAttitude a;
    a.pitch = f(host::DatarefName("Pitch"));
    a.roll = f(host::DatarefName("Roll"));
    a.heading = f(host::DatarefName("Heading"));
    a.night = host_.dataRef(kLightsRef)->i != 0;
    DrawOutsideView(width_, height_, a);
}

FrameStats Session::frame(double t, GlDispatch gl)
{
    FrameStats stats;
    now_ = t;
    const uint64_t gl0 = instrument::GlCalls(), alloc0 = instrument::Allocations();
    host_.setElapsedTime(float(t));
    applyFlight(t);
    deliverEvents(t);
    drawnView_ = viewRef_->i;

    // The simulator's picture, then its window-drawing phase: screen pixels,
    // origin at the lower left.
    host::SetWindowProjection(width_, height_);
    if (gl == GlDispatch::Driver) {
        glClearColor(opts_.background[0], opts_.background[1], opts_.background[2], 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (opts_.outsideView) drawOutside();
        // The plug-in's draw time should not include rasterizing the picture
        // under it, which a software renderer may do at the plug-in's first flush.
        glFinish();
    }

    std::optional<instrument::NullGlScope> nullGl;
    if (gl == GlDispatch::Null) nullGl.emplace();
    const auto &windows = host_.windows();
    for (size_t i = 0; i < windows.size(); ++i) {
        host::Window &w = *windows[i];
        if (w.destroyed || !w.visible || !w.draw) continue;
        callPlugin("the draw callback", [&] {
            auto start = std::chrono::steady_clock::now();
            w.draw(&w, w.refcon);
            stats.drawMicros +=
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count();
        });
    }
    stats.glCalls = instrument::GlCalls() - gl0;
    stats.allocations = instrument::Allocations() - alloc0;
    return stats;
}

void Session::skip(double t)
{
    if (opts_.everyFrame) {
        frame(t);
        return;
    }
    const bool eventsDue = nextEvent_ < events_.size() && events_[nextEvent_].time <= t + 1e-9;
    const int view = viewTrack_ ? IntValue(viewTrack_->valueAt(t)) : viewRef_->i;
    if (eventsDue || view != drawnView_) {
        frame(t, GlDispatch::Null);
        return;
    }
    now_ = t;
}

bool Session::windowsRect(host::Rect &out) const
{
    bool any = false;
    for (const auto &w : host_.windows()) {
        if (w->destroyed || !w->visible) continue;
        const host::Rect r{std::max(w->rect.left, 0), std::min(w->rect.top, height_),
                           std::min(w->rect.right, width_), std::max(w->rect.bottom, 0)};
        if (r.width() <= 0 || r.height() <= 0) continue;
        if (!any) out = r;
        out = {std::min(out.left, r.left), std::max(out.top, r.top), std::max(out.right, r.right),
               std::min(out.bottom, r.bottom)};
        any = true;
    }
    return any;
}

Image Session::capture() const
{
    std::vector<uint8_t> px(size_t(width_) * size_t(height_) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return Image::fromBottomUp(width_, height_, px);
}

std::vector<std::string> Session::finish()
{
    if (started_ && !finished_) {
        finished_ = true;
        callPlugin("XPluginDisable", [&] { plugin_->disable(); });
        callPlugin("XPluginStop", [&] { plugin_->stop(); });
        CheckStopped(host_, reporter());
        instrument::ClearPluginCode();
        plugin_.reset();  // dlclose
    }
    std::vector<std::string> out;
    for (const std::string &kind : failureOrder_) {
        const Failure &f = failures_[kind];
        out.push_back(f.count > 1 ? f.first + " (and " + std::to_string(f.count - 1) + " more times)"
                                  : f.first);
    }
    return out;
}

}  // namespace sim
