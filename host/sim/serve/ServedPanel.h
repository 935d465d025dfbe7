#ifndef OSTREL_SIM_SERVE_SERVEDPANEL_H
#define OSTREL_SIM_SERVE_SERVEDPANEL_H
// A run's panel in web browsers (--serve): the server (PanelServer.h) and
// the encoder of its pictures (PictureEncoder.h), fed by the frame loop:
//
//   ServedPanel served(settings, onlyPanel);   listens; prints the page's addresses
//   each frame:
//     served.beforeFrame(session);            the pages' commands; the panel's scale for them
//     session.frame(t);
//     served.afterFrame(session, born);       the panel's picture to the pages
//   served.finish(seconds);                   the figures
//
// The pages' commands reach the plug-in as --command delivers them: the
// begin and the end phase, between frames. When the largest size a page
// shows the panel at changes, or the panel changes between GA and Glass,
// the panel is stepped with Larger and Smaller to the scale drawn at that
// size (PanelFit.h); the buttons step it from there, as in the simulator.
// With onlyPanel (no window shows the whole screen) a frame draws and reads
// only the panel's part of the screen.
//
// At the end it prints
//   flyer-sim: serve: seconds=.. viewers_most=.. pictures=.. unchanged=..
//     sent=.. bytes_per_s=.. delay_ms_median=.. delay_ms_p99=..
//     encode_cpu_s_per_s=.. cpu_s_per_s=.. refused=..
// where pictures are those encoded (each once for every page), unchanged
// the frames whose picture was the last one sent, sent and bytes what went
// to all the pages together, delay the time from a picture's birth (the
// newest datagram in it, or its frame's start in a replay) to its last byte
// on a page's socket, and cpu the encoder thread's and the process's.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ServeSettings.h"
#include "outputs/Image.h"

namespace sim {

class Session;
namespace web {
class PanelServer;
}
namespace serve {
class PictureEncoder;
}

class ServedPanel {
public:
    using Clock = std::chrono::steady_clock;
    // Throws serve::ServeError when it cannot listen there.
    ServedPanel(const ServeSettings &settings, bool onlyPanel);
    ~ServedPanel();
    ServedPanel(const ServedPanel &) = delete;
    ServedPanel &operator=(const ServedPanel &) = delete;

    void beforeFrame(Session &session);
    void afterFrame(Session &session, Clock::time_point born);
    // The status line's news for the pages: what the run shows.
    void news(const std::string &status);
    // The news of a replay: "replaying circuit", a file by its name alone.
    static std::string Replaying(const std::string &flightName);
    // Closes every connection and prints the figures of `seconds` of frames.
    void finish(double seconds);

private:
    void fit(Session &session);

    std::unique_ptr<web::PanelServer> server_;
    std::unique_ptr<serve::PictureEncoder> encoder_;
    const bool onlyPanel_;
    std::optional<PixelBox> kept_;  // the part the frame drew, with onlyPanel
    std::vector<uint8_t> pixels_;
    std::string news_;
    bool shown_ = true;
    // What the panel's scale was last fitted to: the pages' size and the panel.
    int fittedWidth_ = 0, fittedHeight_ = 0;
    bool fittedGlass_ = false;
    double cpuAtStart_ = 0;
    bool finished_ = false;
};

}  // namespace sim

#endif
