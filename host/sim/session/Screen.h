#ifndef OSTREL_SIM_SESSION_SCREEN_H
#define OSTREL_SIM_SESSION_SCREEN_H
// The simulator's screen around the plug-in: the picture drawn under the
// panel, and what is read back from the screen (frames, where the panel is).
// Needs a current GL context of the screen's size.

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

// Draws over the whole screen in window pixels (origin lower left); leaves
// texturing and blending off and the modelview matrix as it found it.
void DrawOutsideView(int width, int height, const OutsideAttitude &a);
// The attitude and lights the host's datarefs hold now.
OutsideAttitude OutsideAttitudeOf(host::Host &h);

// The screen's pixels.
Image CaptureScreen(int width, int height);

// The smallest box holding every shown window of the plug-in, within the
// screen; none if no window shows on it.
std::optional<PixelBox> WindowsBox(const host::Host &h, int width, int height);
// Whether a window of the plug-in is shown at all (of some size), on the
// screen or off it.
bool WindowsShown(const host::Host &h);

}  // namespace sim

#endif
