#ifndef OSTREL_SIM_SESSION_SESSION_H
#define OSTREL_SIM_SESSION_SESSION_H
// One load of the plug-in in a simulator folder, driven frame by frame as the
// simulator does: start and enable; per frame the elapsed time, the flight's
// datarefs, due commands and mouse events, the outside view, the window
// projection and each window's draw callback; at the end disable, stop,
// dlclose and the end-of-run checks. Needs a current GL context of the
// screen's size from before start() until after finish().
//
// Frames whose picture nobody keeps go through skip(), which calls the
// plug-in only where that can change what a later frame shows. Frames of
// which only a part is kept (a video of the panel) draw only that part.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CallbackChecks.h"
#include "FlightDatarefs.h"
#include "MouseRouter.h"
#include "SimFolder.h"
#include "flights/Events.h"
#include "flights/Flight.h"
#include "host/Host.h"
#include "host/PluginLibrary.h"
#include "outputs/Image.h"

namespace sim {

// What a session needs to know of the run, beside the flight and the events.
struct SessionSettings {
    std::string plugin;   // the plug-in file, copied into the simulator folder
    std::string texture;  // the master texture, copied in as the simulator has it
    int screenWidth = 0, screenHeight = 0;
    int view = 0;                               // the view type before the flight sets one
    std::vector<Override> overrides;            // datarefs fixed for the whole run
    std::vector<const DatarefInfo *> missing;   // datarefs the simulator does not publish
    // Under the panel: the outside view, or a flat colour (golden images
    // that should not change with the outside view).
    bool outsideView = true;
    float background[3] = {0, 0, 0};
    std::string log;      // where the plug-in's log is written; empty: nowhere
    std::string logName;  // its name in messages (--log's, where the log is written under a temporary name)
    bool verbose = false;  // echo the log and spoken strings to stderr
    // skip() draws every frame, as frame() does (the faithful loop).
    bool everyFrame = false;
    // The picture under the plug-in is finished before its draw callback
    // runs, so the callback's time is its own (the bench).
    bool finishPictureFirst = false;
};

// Where the plug-in's GL calls in its draw callbacks go: to the driver, or
// nowhere (counting::NullGlScope), leaving only the plug-in's own work.
enum class GlDispatch { Driver, Null };

struct FrameStats {
    double drawMicros = 0;  // the draw callbacks, summed over the windows
    uint64_t glCalls = 0;   // inside every callback of the frame
    uint64_t allocations = 0;
};

// Thrown for input that only the running plug-in can reject (a command name
// it never created): a usage error, exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Session {
public:
    Session(const SessionSettings &settings, const Flight &flight, std::vector<Event> events);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // Loads the plug-in, starts and enables it. Throws host::PluginLoadError
    // (or std::runtime_error for the folder) when it cannot load, UsageError
    // for events naming commands the plug-in did not create.
    void start();
    FrameStats frame(double t, GlDispatch gl = GlDispatch::Driver);
    // A frame at time t whose picture is not kept. The plug-in's draw
    // callback keeps state that later input meets (its window collapses
    // while the panel is hidden and comes back when shown), and drawing again
    // with nothing changed leaves that state as it is. So the frame's
    // callbacks run, with GL going nowhere, only when events fall due at it
    // or the view type differs from the last drawn frame's; otherwise only
    // time moves on. With --every-frame every frame is drawn as by frame().
    void skip(double t);
    // Disables, stops and unloads the plug-in, then runs the end-of-run
    // checks. Returns every failure found during the run, empty if none;
    // among them a plug-in that drew nothing in every frame drawn, and a log
    // that could not be written.
    std::vector<std::string> finish();

    // Immediate input (the preview window).
    void command(const std::string &name, XPLMCommandPhase phase);
    void mouse(int x, int y, XPLMMouseStatus status);
    void setView(int view) { datarefs_.setView(view); }
    int view() const { return datarefs_.view(); }

    // Values from outside the flight (the live link), set between frames:
    // keys[i] is slot i of setDriven(). See FlightDatarefs::drive() for the
    // datarefs the run keeps its own.
    std::vector<bool> drive(const std::vector<DatarefKey> &keys) { return datarefs_.drive(keys); }
    void setDriven(size_t slot, double value) { datarefs_.set(slot, value); }

    // The part of the screen that frame() draws and capture() and
    // readPixels() read, from the next frame on; none: the whole screen.
    // The plug-in still sees and draws on the whole screen, its windows
    // where they are; outside the part the screen keeps what earlier frames
    // left, which is never read (the plug-in does not read the screen).
    void keepOnly(std::optional<PixelBox> part) { kept_ = part; }
    // The kept part's pixels (the screen's), rows from the top.
    Image capture() const;
    // The same, rows from the bottom as GL gives them, into out (w * h * 4 bytes).
    void readPixels(uint8_t *out) const;
    // Where the plug-in's shown windows are on the screen, if any show.
    std::optional<PixelBox> windowsBox() const;
    // Whether any window of the plug-in shows, on the screen or off it.
    bool windowsShown() const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    // Runs f, a call into the plug-in, between the callback checks
    // (CallbackChecks.h); what names the call in failures.
    template <class F>
    void callPlugin(const std::string &what, F &&f);
    void echo();
    void deliverEvents(double t);
    std::string when() const;
    PixelBox keptPart() const { return kept_ ? *kept_ : PixelBox{0, 0, width_, height_}; }

    const SessionSettings settings_;
    Flight flight_;
    std::vector<Event> events_;
    size_t nextEvent_ = 0;
    int width_, height_;
    std::unique_ptr<host::GraphicsBackend> graphics_;
    host::Host &host_;  // reset for the session before datarefs_ defines its datarefs
    FlightDatarefs datarefs_;
    std::unique_ptr<SimFolder> folder_;
    std::unique_ptr<host::PluginLibrary> plugin_;
    MouseRouter router_;
    std::optional<PixelBox> kept_;
    int drawnView_ = 0;  // the view type at the last drawn frame
    double now_ = 0;
    bool started_ = false, finished_ = false;
    size_t logEchoed_ = 0, spokenEchoed_ = 0;
    // Frames drawn through the driver with a window shown, and those where
    // the plug-in drew (a GL call, or the graphics state set).
    long long framesDrawn_ = 0, framesWithDrawing_ = 0;
    FailureTally failures_;
};

}  // namespace sim

#endif
