#ifndef OSTREL_SIM_SCREEN_OUTSIDEVIEW_H
#define OSTREL_SIM_SCREEN_OUTSIDEVIEW_H
// The outside view the simulator draws under the panel: sky and ground
// split by a horizon that follows pitch and roll, with ground lines that
// follow the heading, so the panel's transparency and dragging show against
// something that moves. Needs a current GL context.

#include "host/Host.h"

namespace sim {

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

}  // namespace sim

#endif
