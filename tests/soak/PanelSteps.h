#ifndef OSTREL_TESTS_SOAK_PANELSTEPS_H
#define OSTREL_TESTS_SOAK_PANELSTEPS_H
// What the panel may look like from outside, whatever happened before: the
// window is collapsed or sized for one of the eight scales of one of the two
// panels, and every tint's alpha is one of the eight opacities.

#include <string>
#include <vector>

#include "RecordingGL.h"
#include "host/Host.h"

namespace soak {

// Single-precision values the scale commands can reach from 1.0: +0.2 up to
// 2.0, -0.2 down to 0.6, each step rounded as the plug-in rounds it.
const std::vector<float> &Scales();
// The opacities: 1.0 stepping down by 0.1 while above 0.2.
const std::vector<float> &Alphas();

// Empty when the rectangle is collapsed (1, 1, 1, 1) or has the size of the
// GA or Glass panel (GA_PANEL, GLASS_PANEL) at one of the scales, with (when
// onGrid) its left and bottom edges on that scale's grid of panel origins.
// Otherwise, why not.
std::string CheckWindowRect(const host::Rect &r, bool onGrid);

// Empty when the frame is whole: no GL misuse, the matrix stack back where
// it started, no vertex that is not finite and (when tinted) one alpha, an
// opacity step, on every primitive. Otherwise, what went wrong.
std::string CheckFrame(const rgl::RecordingGL &gl, bool tinted);

}  // namespace soak

#endif
