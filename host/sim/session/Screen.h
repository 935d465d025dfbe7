#ifndef OSTREL_SIM_SESSION_SCREEN_H
#define OSTREL_SIM_SESSION_SCREEN_H
// The simulator's screen around the plug-in: the picture drawn under the
// panel, and what is read back from the screen (frames, where the panel is).
// Needs a current GL context of the screen's size.

#include <cstdint>
#include <optional>

#include "host/Host.h"
#include "outputs/Image.h"

namespace sim {

// The outside view: sky and ground split by a horizon that follows pitch
// and roll, with ground lines that follow the heading, so the panel's
// transparency and dragging show against something that moves.

struct OutsideAttitude {
    float pitch = 0, roll = 0, heading = 0;  // degrees
    bool night = false;
};

// Draws over the whole screen in window pixels (origin lower left), within
// the scissor box if the caller set one; leaves texturing and blending off
// and the modelview matrix as it found it.
void DrawOutsideView(int width, int height, const OutsideAttitude &a);
// The attitude and lights the host's datarefs hold now.
OutsideAttitude OutsideAttitudeOf(host::Host &h);

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
