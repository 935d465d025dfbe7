// The simulator stand-in's state and the rules it checks.

#include "host/Host.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace host {

std::string ToString(const Rect &r)
{
    std::ostringstream s;
    s << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
    return s.str();
}

static const char *TypeName(DataType t)
{
    switch (t) {
    case DataType::Int: return "int";
    case DataType::Float: return "float";
    case DataType::FloatArray: return "float array";
    }
    return "?";
}

void Host::reset()
{
    errors_.clear();
    calls_.clear();
    tracing_ = true;
    screenW_ = 1024;
    screenH_ = 768;
    elapsed_ = 0.0f;
    windows_.clear();
    dataRefs_.clear();
    dataRefByName_.clear();
    commands_.clear();
    log_.clear();
    logFile_.clear();
    logFileFailed_ = false;
    spoken_.clear();
    graphicsStates_.clear();
    binds_.clear();
    backend_ = nullptr;
}

std::vector<std::string> Host::takeErrors()
{
    std::vector<std::string> e;
    e.swap(errors_);
    return e;
}

void Host::error(const std::string &message)
{
    errors_.push_back(message);
}

std::vector<Call> Host::callsTo(const std::string &fn) const
{
    std::vector<Call> out;
    for (const Call &c : calls_)
        if (c.fn == fn) out.push_back(c);
    return out;
}

int Host::countCalls(const std::string &fn) const
{
    return int(std::count_if(calls_.begin(), calls_.end(),
                             [&](const Call &c) { return c.fn == fn; }));
}

void Host::trace(const char *fn, std::string args)
{
    if (tracing_) calls_.push_back({fn, std::move(args)});
}

// ---- Windows

Window *Host::window(XPLMWindowID id)
{
    for (auto &w : windows_)
        if (w.get() == id) return w.get();
    return nullptr;
}

Window *Host::onlyWindow()
{
    Window *found = nullptr;
    int live = 0;
    for (auto &w : windows_)
        if (!w->destroyed) {
            found = w.get();
            live++;
        }
    if (live != 1) {
        error("expected exactly one live window, found " + std::to_string(live));
        return nullptr;
    }
    return found;
}

int Host::liveWindowCount() const
{
    return int(std::count_if(windows_.begin(), windows_.end(),
                             [](const std::unique_ptr<Window> &w) { return !w->destroyed; }));
}

XPLMWindowID Host::createWindow(const Rect &r, int visible, XPLMDrawWindow_f draw,
                                XPLMHandleKey_f key, XPLMHandleMouseClick_f mouse, void *refcon)
{
    auto w = std::make_unique<Window>();
    w->rect = r;
    w->visible = visible != 0;
    w->draw = draw;
    w->key = key;
    w->mouse = mouse;
    w->refcon = refcon;
    if (!draw || !key || !mouse) error("XPLMCreateWindow: a callback is null");
    windows_.push_back(std::move(w));
    return windows_.back().get();
}

Window *Host::liveWindow(XPLMWindowID id, const char *fn)
{
    Window *w = window(id);
    if (!w) {
        error(std::string(fn) + ": unknown window handle");
        return nullptr;
    }
    if (w->destroyed) {
        error(std::string(fn) + ": window was destroyed");
        return nullptr;
    }
    return w;
}

void Host::destroyWindow(XPLMWindowID id)
{
    if (Window *w = liveWindow(id, "XPLMDestroyWindow")) w->destroyed = true;
}

// ---- Datarefs

DataRef &Host::define(const std::string &name, DataType type)
{
    auto it = dataRefByName_.find(name);
    if (it != dataRefByName_.end()) {
        it->second->type = type;
        return *it->second;
    }
    dataRefs_.push_back(std::make_unique<DataRef>());
    DataRef &d = *dataRefs_.back();
    d.name = name;
    d.type = type;
    dataRefByName_[name] = &d;
    return d;
}

DataRef &Host::defineInt(const std::string &name, int value)
{
    DataRef &d = define(name, DataType::Int);
    d.i = value;
    return d;
}

DataRef &Host::defineFloat(const std::string &name, float value)
{
    DataRef &d = define(name, DataType::Float);
    d.f = value;
    return d;
}

DataRef &Host::defineFloatArray(const std::string &name, std::vector<float> values)
{
    DataRef &d = define(name, DataType::FloatArray);
    d.fv = std::move(values);
    return d;
}

DataRef *Host::dataRef(const std::string &name)
{
    auto it = dataRefByName_.find(name);
    return it == dataRefByName_.end() ? nullptr : it->second;
}

void Host::setInt(const std::string &name, int value)
{
    DataRef *d = dataRef(name);
    if (!d || d->type != DataType::Int) {
        error("setInt: no int dataref " + name);
        return;
    }
    d->i = value;
}

void Host::setFloat(const std::string &name, float value)
{
    DataRef *d = dataRef(name);
    if (!d || d->type != DataType::Float) {
        error("setFloat: no float dataref " + name);
        return;
    }
    d->f = value;
}

void Host::setFloatArray(const std::string &name, std::vector<float> values)
{
    DataRef *d = dataRef(name);
    if (!d || d->type != DataType::FloatArray) {
        error("setFloatArray: no float-array dataref " + name);
        return;
    }
    d->fv = std::move(values);
}

void Host::setAbsent(const std::string &name, bool absent)
{
    DataRef *d = dataRef(name);
    if (!d) d = &define(name, DataType::Int);
    d->absent = absent;
}

XPLMDataRef Host::findDataRef(const char *name)
{
    if (!name) {
        error("XPLMFindDataRef: null name");
        return nullptr;
    }
    DataRef *d = dataRef(name);
    if (!d || d->absent) return nullptr;
    d->finds++;
    return d;
}

DataRef *Host::readable(XPLMDataRef ref, DataType type, const char *fn)
{
    if (!ref) {
        error(std::string(fn) + ": null dataref handle");
        return nullptr;
    }
    DataRef *found = nullptr;
    for (auto &d : dataRefs_)
        if (d.get() == ref) found = d.get();
    if (!found) {
        error(std::string(fn) + ": unknown dataref handle");
        return nullptr;
    }
    if (found->type != type) {
        error(std::string(fn) + ": " + found->name + " is " + TypeName(found->type) +
              ", read as " + TypeName(type));
        return nullptr;
    }
    found->reads++;
    return found;
}

// ---- Commands

Command *Host::command(const std::string &name)
{
    for (auto &c : commands_)
        if (c->name == name) return c.get();
    return nullptr;
}

XPLMCommandRef Host::createCommand(const char *name, const char *description)
{
    if (!name || !description) {
        error("XPLMCreateCommand: null name or description");
        return nullptr;
    }
    // As in the simulator, creating an existing command finds it.
    if (Command *c = command(name)) return c;
    commands_.push_back(std::make_unique<Command>());
    commands_.back()->name = name;
    commands_.back()->description = description;
    return commands_.back().get();
}

Command *Host::knownCommand(XPLMCommandRef ref, const char *fn)
{
    for (auto &c : commands_)
        if (c.get() == ref) return c.get();
    error(std::string(fn) + (ref ? ": unknown command handle" : ": null command handle"));
    return nullptr;
}

static bool SameHandler(const Handler &h, XPLMCommandCallback_f fn, int before, void *refcon)
{
    return h.fn == fn && h.before == before && h.refcon == refcon;
}

void Host::registerHandler(XPLMCommandRef ref, XPLMCommandCallback_f fn, int before,
                           void *refcon)
{
    Command *c = knownCommand(ref, "XPLMRegisterCommandHandler");
    if (!c) return;
    if (!fn) {
        error("XPLMRegisterCommandHandler: null handler for " + c->name);
        return;
    }
    for (const Handler &h : c->handlers)
        if (SameHandler(h, fn, before, refcon)) {
            error("XPLMRegisterCommandHandler: handler registered twice for " + c->name);
            return;
        }
    c->handlers.push_back({fn, before, refcon});
    c->registrations++;
}

void Host::unregisterHandler(XPLMCommandRef ref, XPLMCommandCallback_f fn, int before,
                             void *refcon)
{
    Command *c = knownCommand(ref, "XPLMUnregisterCommandHandler");
    if (!c) return;
    auto it = std::find_if(c->handlers.begin(), c->handlers.end(),
                           [&](const Handler &h) { return SameHandler(h, fn, before, refcon); });
    if (it == c->handlers.end()) {
        error("XPLMUnregisterCommandHandler: no such handler registered for " + c->name);
        return;
    }
    c->handlers.erase(it);
    c->unregistrations++;
}

FireResult Host::fire(const std::string &name, XPLMCommandPhase phase)
{
    FireResult r;
    Command *c = command(name);
    if (!c) return r;
    r.found = true;
    // Copy: a handler may unregister itself.
    std::vector<Handler> order;
    for (const Handler &h : c->handlers)
        if (h.before) order.push_back(h);
    for (const Handler &h : c->handlers)
        if (!h.before) order.push_back(h);
    for (const Handler &h : order) {
        int ret = h.fn(c, phase, h.refcon);
        r.returns.push_back(ret);
        if (ret == 0) break;
    }
    return r;
}

int Host::handlerCount() const
{
    int n = 0;
    for (const auto &c : commands_) n += int(c->handlers.size());
    return n;
}

// ---- Log and speech

std::string Host::logText() const
{
    std::string s;
    for (const std::string &e : log_) s += e;
    return s;
}

void Host::setLogFile(const std::string &path)
{
    logFile_ = path;
}

void Host::debugString(const char *text)
{
    if (!text) {
        error("XPLMDebugString: null text");
        return;
    }
    log_.push_back(text);
    if (!logFile_.empty()) {
        FILE *f = std::fopen(logFile_.c_str(), "a");
        const bool written = f && std::fputs(text, f) >= 0;
        if (!f || std::fclose(f) != 0 || !written) logFileFailed_ = true;
    }
}

void Host::speakString(const char *text)
{
    if (!text) {
        error("XPLMSpeakString: null text");
        return;
    }
    spoken_.push_back(text);
}

// ---- Graphics

void Host::setGraphicsState(const GraphicsState &s)
{
    graphicsStates_.push_back(s);
    if (backend_) backend_->setGraphicsState(s);
}

void Host::bindTexture2d(int texture, int unit)
{
    binds_.push_back({texture, unit});
    if (backend_) backend_->bindTexture2d(texture, unit);
}

}  // namespace host
