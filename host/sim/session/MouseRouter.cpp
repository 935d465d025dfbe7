#include "MouseRouter.h"

namespace sim {

MouseRouter::MouseRouter(Invoke invoke) : invoke_(std::move(invoke)) {}

bool MouseRouter::contains(const host::Rect &r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.bottom && y < r.top;
}

host::Window *MouseRouter::deliver(host::Host &h, int x, int y, XPLMMouseStatus status)
{
    if (status == xplm_MouseDown) {
        captured_ = nullptr;
        const auto &windows = h.windows();
        // Created last is drawn last, so it is on top.
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            host::Window &w = **it;
            if (w.destroyed || !w.visible || !w.mouse || !contains(w.rect, x, y)) continue;
            if (invoke_(w, x, y, status)) {
                captured_ = &w;
                return &w;
            }
        }
        return nullptr;
    }
    host::Window *w = captured_;
    if (status == xplm_MouseUp) captured_ = nullptr;
    if (!w || w->destroyed || !w->mouse) return nullptr;
    invoke_(*w, x, y, status);
    return w;
}

}  // namespace sim
