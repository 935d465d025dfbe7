#ifndef OSTREL_SIM_SESSION_MOUSEROUTER_H
#define OSTREL_SIM_SESSION_MOUSEROUTER_H
// Mouse delivery as the simulator does it: a press goes to the topmost window
// under the pointer that takes it (its callback returns 1; 0 passes the click
// to the window below); drags and the release go to that same window, even
// outside it; a press outside every window reaches none, and neither do the
// drags and release that follow it.

#include <functional>

#include "XPLMDisplay.h"
#include "host/Host.h"

namespace sim {

class MouseRouter {
public:
    // Runs a window's mouse callback; flyer-sim wraps it with its checks.
    using Invoke = std::function<int(host::Window &, int x, int y, XPLMMouseStatus status)>;

    explicit MouseRouter(Invoke invoke);

    // Delivers one event. Returns the window that received it, or null.
    host::Window *deliver(host::Host &h, int x, int y, XPLMMouseStatus status);

    // Window pixels inside the rectangle: left <= x < right, bottom <= y < top.
    static bool contains(const host::Rect &r, int x, int y);

private:
    Invoke invoke_;
    host::Window *captured_ = nullptr;
};

}  // namespace sim

#endif
