#ifndef OSTREL_HOST_HOST_H
#define OSTREL_HOST_HOST_H
// The simulator stand-in: every XPLM function the plug-in imports, implemented
// over state that a program or test can drive and inspect. The XPLM functions
// themselves (extern "C", exported from the executable that links this
// library with ENABLE_EXPORTS) all act on Host::instance().
//
// The host is strict like a careful simulator: a call through an unknown or
// null handle, a read with the wrong type, destroying an unknown window or
// unregistering a handler that was never registered does not crash; it is
// recorded in errors() and the call does nothing (reads return 0).
//
// The host never calls OpenGL itself. XPLMSetGraphicsState and
// XPLMBindTexture2d are recorded, then handed to the installed
// GraphicsBackend (none by default); ostrel_host_gl provides one that applies
// them to the current GL context (host/ContextGraphics.h).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "XPLMDisplay.h"
#include "XPLMUtilities.h"
#include "host/PublishedDatarefs.h"

namespace host {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return top - bottom; }
    bool operator==(const Rect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect &o) const { return !(*this == o); }
};
std::string ToString(const Rect &r);  // "(l, t, r, b)"

struct Window {
    Rect rect;
    bool visible = false;
    XPLMDrawWindow_f draw = nullptr;
    XPLMHandleKey_f key = nullptr;
    XPLMHandleMouseClick_f mouse = nullptr;
    void *refcon = nullptr;
    bool destroyed = false;
    int geometrySets = 0;  // XPLMSetWindowGeometry calls on this window
};

struct DataRef {
    std::string name;
    DataType type = DataType::Int;
    int i = 0;
    float f = 0.0f;
    std::vector<float> fv;
    bool absent = false;  // XPLMFindDataRef returns NULL for it
    int finds = 0;        // successful lookups
    int reads = 0;        // reads through its handle
};

struct Handler {
    XPLMCommandCallback_f fn = nullptr;
    int before = 0;
    void *refcon = nullptr;
};

struct Command {
    std::string name;
    std::string description;
    std::vector<Handler> handlers;  // currently registered, in registration order
    int registrations = 0;          // ever registered
    int unregistrations = 0;        // ever unregistered
};

struct GraphicsState {
    int fog = 0, textureUnits = 0, lighting = 0, alphaTesting = 0, alphaBlending = 0,
        depthTesting = 0, depthWriting = 0;
    bool operator==(const GraphicsState &o) const
    {
        return fog == o.fog && textureUnits == o.textureUnits && lighting == o.lighting &&
               alphaTesting == o.alphaTesting && alphaBlending == o.alphaBlending &&
               depthTesting == o.depthTesting && depthWriting == o.depthWriting;
    }
};

struct TextureBind {
    int texture = 0;
    int unit = 0;
};

// One XPLM call as the plug-in made it: the function's name and its arguments
// as text, e.g. {"XPLMFindDataRef", "sim/graphics/view/view_type"} or
// {"XPLMSetWindowGeometry", "1, 1, 1, 1"}. Kept in call order for order tests.
struct Call {
    std::string fn;
    std::string args;
};

// Receives the graphics calls after the host has recorded them.
class GraphicsBackend {
public:
    virtual ~GraphicsBackend() = default;
    virtual void setGraphicsState(const GraphicsState &state) = 0;
    virtual void bindTexture2d(int texture, int unit) = 0;
};

// Result of firing one phase of a command: each handler's return value in
// calling order.
struct FireResult {
    std::vector<int> returns;
    bool found = false;
};

class Host {
public:
    static Host &instance();

    // Back to an empty simulator: no windows, datarefs, commands, log or
    // errors; screen 1024 x 768; elapsed time 0; no backend.
    void reset();

    // ---- Errors (misuse of the XPLM interface by the plug-in)
    const std::vector<std::string> &errors() const { return errors_; }
    std::vector<std::string> takeErrors();  // returns and clears
    void error(const std::string &message);

    // ---- Call trace of every XPLM function, in order
    const std::vector<Call> &calls() const { return calls_; }
    std::vector<Call> callsTo(const std::string &fn) const;
    int countCalls(const std::string &fn) const;
    void clearCalls() { calls_.clear(); }
    // On by default; a long-running program turns it off so the trace does not grow.
    void setTracing(bool on) { tracing_ = on; }
    bool tracing() const { return tracing_; }

    // ---- Screen and time
    void setScreenSize(int w, int h) { screenW_ = w, screenH_ = h; }
    int screenWidth() const { return screenW_; }
    int screenHeight() const { return screenH_; }
    void setElapsedTime(float seconds) { elapsed_ = seconds; }
    float elapsedTime() const { return elapsed_; }

    // ---- Windows
    // Every window ever created, in creation order (destroyed ones stay, marked).
    const std::vector<std::unique_ptr<Window>> &windows() const { return windows_; }
    Window *window(XPLMWindowID id);  // null (no error) when unknown
    // The only live window; records an error and returns null unless exactly one.
    Window *onlyWindow();
    int liveWindowCount() const;

    // ---- Datarefs
    DataRef &defineInt(const std::string &name, int value = 0);
    DataRef &defineFloat(const std::string &name, float value = 0.0f);
    DataRef &defineFloatArray(const std::string &name, std::vector<float> values);
    DataRef *dataRef(const std::string &name);  // null when not defined
    void setInt(const std::string &name, int value);    // error if undefined or other type
    void setFloat(const std::string &name, float value);
    void setFloatArray(const std::string &name, std::vector<float> values);
    void setAbsent(const std::string &name, bool absent = true);  // defines an Int if unknown
    const std::vector<std::unique_ptr<DataRef>> &dataRefs() const { return dataRefs_; }

    // ---- Commands
    Command *command(const std::string &name);  // null when never created
    const std::vector<std::unique_ptr<Command>> &commands() const { return commands_; }
    // Runs the handlers of one phase as the simulator does: handlers with
    // before = 1 first, then those with before = 0, each in registration
    // order; a handler returning 0 stops the ones after it.
    FireResult fire(const std::string &name, XPLMCommandPhase phase);
    int handlerCount() const;  // currently registered, all commands

    // ---- Log and speech
    const std::vector<std::string> &log() const { return log_; }  // one entry per call
    std::string logText() const;
    void setLogFile(const std::string &path);  // also append every entry to this file
    bool logFileFailed() const { return logFileFailed_; }  // an entry could not be appended
    const std::vector<std::string> &spoken() const { return spoken_; }

    // ---- Graphics
    const std::vector<GraphicsState> &graphicsStates() const { return graphicsStates_; }
    const std::vector<TextureBind> &textureBinds() const { return binds_; }
    void setGraphicsBackend(GraphicsBackend *backend) { backend_ = backend; }

    // ---- Used by the XPLM functions
    void trace(const char *fn, std::string args);
    XPLMWindowID createWindow(const Rect &r, int visible, XPLMDrawWindow_f draw,
                              XPLMHandleKey_f key, XPLMHandleMouseClick_f mouse, void *refcon);
    void destroyWindow(XPLMWindowID id);
    Window *liveWindow(XPLMWindowID id, const char *fn);  // error when unknown / destroyed
    XPLMDataRef findDataRef(const char *name);
    DataRef *readable(XPLMDataRef ref, DataType type, const char *fn);  // error when bad
    XPLMCommandRef createCommand(const char *name, const char *description);
    Command *knownCommand(XPLMCommandRef ref, const char *fn);
    void registerHandler(XPLMCommandRef ref, XPLMCommandCallback_f fn, int before, void *refcon);
    void unregisterHandler(XPLMCommandRef ref, XPLMCommandCallback_f fn, int before,
                           void *refcon);
    void debugString(const char *text);
    void speakString(const char *text);
    void setGraphicsState(const GraphicsState &s);
    void bindTexture2d(int texture, int unit);

private:
    Host() { reset(); }
    DataRef &define(const std::string &name, DataType type);

    std::vector<std::string> errors_;
    std::vector<Call> calls_;
    bool tracing_ = true;
    int screenW_ = 1024, screenH_ = 768;
    float elapsed_ = 0.0f;
    std::vector<std::unique_ptr<Window>> windows_;
    std::vector<std::unique_ptr<DataRef>> dataRefs_;
    std::map<std::string, DataRef *> dataRefByName_;
    std::vector<std::unique_ptr<Command>> commands_;
    std::vector<std::string> log_;
    std::string logFile_;
    bool logFileFailed_ = false;
    std::vector<std::string> spoken_;
    std::vector<GraphicsState> graphicsStates_;
    std::vector<TextureBind> binds_;
    GraphicsBackend *backend_ = nullptr;
};

}  // namespace host

#endif
