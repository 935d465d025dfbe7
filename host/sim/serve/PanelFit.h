#ifndef OSTREL_SIM_SERVE_PANELFIT_H
#define OSTREL_SIM_SERVE_PANELFIT_H
// The panel drawn at the size a page shows it: the plug-in scales its panel
// only through its Larger and Smaller commands, in steps of 0.2 from 0.6 to
// 2.0, so the page's size becomes a number of those steps. The smallest
// scale whose picture is at least as large as the page shows it keeps the
// panel sharp (the browser shrinks it a little, never stretches it); a page
// larger than the panel at 2.0 gets the panel at 2.0. The panel stays within
// the screen: no scale is taken at which it would be larger.

#include <optional>

#include "web/SizeMessage.h"

namespace sim::serve {

// The panel a window of w x h pixels shows, and its scale; none when the
// size is neither panel's at any scale.
struct PanelScale {
    bool glass = false;
    float scale = 1;
};
std::optional<PanelScale> PanelScaleOf(int w, int h);

// How many steps (Larger: positive, Smaller: negative) take the panel in a
// window of w x h pixels to the scale that fits `page` (device pixels) on a
// screen of `screen` pixels.
int StepsToFit(int w, int h, web::PictureSize page, web::PictureSize screen);

}  // namespace sim::serve

#endif
