#ifndef OSTREL_SIM_OUTSIDEVIEW_H
#define OSTREL_SIM_OUTSIDEVIEW_H
// The simulator's picture under the panel: sky and ground split by a horizon
// that follows pitch and roll, with ground lines that follow the heading, so
// the panel's transparency and dragging show against something that moves.

namespace sim {

struct OutsideAttitude {
    float pitch = 0, roll = 0, heading = 0;  // degrees
    bool night = false;
};

// Draws over the whole screen in window pixels (origin lower left); leaves
// texturing and blending off and the modelview matrix as it found it.
void DrawOutsideView(int width, int height, const OutsideAttitude &a);

}  // namespace sim

#endif
