#ifndef OSTREL_SIM_WEB_PANELSERVER_H
#define OSTREL_SIM_WEB_PANELSERVER_H
// The panel in a web browser: an HTTP server (Boost.Beast) on a thread of its
// own that answers the page, the picture stream and the panel's commands
// (Requests.h). The stream is a WebSocket: each picture is one binary
// message, a JPEG file; the status line's news is a text message, JSON.
// A page asks for the picture size it would show sharp ("size W H", its
// device pixels).
//
// The frame loop never waits on it: publish() hands the newest picture over
// and returns; each viewer is sent the newest picture as soon as its last
// one has gone, so a slow viewer skips pictures and nothing queues up. Each
// picture is encoded once, by the caller, for every viewer.
//
// Bounds: at most `viewers` streams at once (the next is answered 503) and
// a few connections more for pages and commands; a request must come whole
// within `patience` (a silent or trickling client is closed); a viewer that
// takes longer than `sendPatience` to take one picture is dropped. The
// destructor closes every connection.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "SizeMessage.h"

namespace sim::web {

struct ServeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ServeLimits {
    int viewers = 8;
    std::chrono::milliseconds patience{5000};
    std::chrono::milliseconds sendPatience{10000};
};

using Clock = std::chrono::steady_clock;

// A picture for the viewers, and when what it shows came: the newest
// datagram in it (live) or the start of its frame (a replay).
struct Picture {
    std::vector<uint8_t> jpeg;
    Clock::time_point born;
};

// What the server has done so far.
struct ServeFigures {
    uint64_t picturesSent = 0;  // over every viewer
    uint64_t bytesSent = 0;
    uint64_t refused = 0;       // requests answered 4xx or 5xx, connections turned away
    int viewersMost = 0;        // viewers at once, the most
    // Milliseconds from a picture's birth to its last byte handed to the
    // socket, for the latest sends.
    std::vector<float> delaysMs;
};

class PanelServer {
public:
    // Listens on address:port (a literal address; port 0: any free one).
    // Throws ServeError naming the address when it cannot.
    PanelServer(const std::string &address, uint16_t port, ServeLimits limits = {});
    ~PanelServer();
    PanelServer(const PanelServer &) = delete;
    PanelServer &operator=(const PanelServer &) = delete;

    uint16_t port() const;

    void publish(std::shared_ptr<const Picture> picture);
    // The status line's news for every page, now and for each that connects.
    // `panelShown` false: the panel is off, the page shows no picture.
    void news(const std::string &status, bool panelShown = true);
    // The panel commands pressed since the last call (full names), in order.
    std::vector<std::string> takeCommands();
    // The largest size an open page asks for; none while no page asks.
    std::optional<PictureSize> wanted() const;
    int viewers() const;
    ServeFigures figures() const;

    struct Impl;  // the network thread's (PanelServer.cpp)

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace sim::web

#endif
