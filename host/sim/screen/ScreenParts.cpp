// What is drawn and read of the screen, and where the plug-in's windows are
// on it (ScreenParts.h).

#include "ScreenParts.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace sim {

void ScissorTo(int height, const std::optional<PixelBox> &part)
{
    if (!part) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glScissor(part->x, height - part->y - part->h, part->w, part->h);
    glEnable(GL_SCISSOR_TEST);
}

void ReadScreen(int height, const PixelBox &part, uint8_t *out)
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(part.x, height - part.y - part.h, part.w, part.h, GL_RGBA, GL_UNSIGNED_BYTE, out);
}

Image CaptureScreen(int height, const PixelBox &part)
{
    std::vector<uint8_t> px(size_t(part.w) * size_t(part.h) * 4);
    ReadScreen(height, part, px.data());
    return Image::fromBottomUp(part.w, part.h, px);
}

std::optional<PixelBox> WindowsBox(const host::Host &h, int width, int height)
{
    std::optional<host::Rect> all;
    for (const auto &w : h.windows()) {
        if (w->destroyed || !w->visible) continue;
        const host::Rect r{std::max(w->rect.left, 0), std::min(w->rect.top, height),
                           std::min(w->rect.right, width), std::max(w->rect.bottom, 0)};
        if (r.width() <= 0 || r.height() <= 0) continue;
        if (!all) all = r;
        *all = {std::min(all->left, r.left), std::max(all->top, r.top), std::max(all->right, r.right),
                std::min(all->bottom, r.bottom)};
    }
    if (!all) return std::nullopt;
    return PixelBox{all->left, height - all->top, all->width(), all->height()};
}

bool WindowsShown(const host::Host &h)
{
    for (const auto &w : h.windows())
        if (!w->destroyed && w->visible && w->rect.width() > 0 && w->rect.height() > 0) return true;
    return false;
}

}  // namespace sim
