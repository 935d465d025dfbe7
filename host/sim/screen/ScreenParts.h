#ifndef OSTREL_SIM_SCREEN_SCREENPARTS_H
#define OSTREL_SIM_SCREEN_SCREENPARTS_H
// Parts of the simulator's screen: the part a frame draws (a scissor box),
// the pixels read back from it, and the part the plug-in's windows cover.
// The GL calls need a current GL context of the screen's size.

#include <cstdint>
#include <optional>

#include "host/Host.h"
#include "outputs/Image.h"

namespace sim {

// Limits the drawing that follows to `part` of a screen `height` pixels
// high (scissor box; none: the whole screen). Drawing inside the part gives
// the same pixels there as drawing the whole screen: every position is the
// same, only the pixels outside are left alone.
void ScissorTo(int height, const std::optional<PixelBox> &part);
// The pixels of `part` of a screen `height` pixels high, rows from the
// bottom as GL gives them, into `out` (part.w * part.h * 4 bytes).
void ReadScreen(int height, const PixelBox &part, uint8_t *out);
// The pixels of `part`, rows from the top.
Image CaptureScreen(int height, const PixelBox &part);

// The smallest box holding every shown window of the plug-in, within the
// screen; none if no window shows on it.
std::optional<PixelBox> WindowsBox(const host::Host &h, int width, int height);
// Whether a window of the plug-in is shown at all (of some size), on the
// screen or off it.
bool WindowsShown(const host::Host &h);

}  // namespace sim

#endif
