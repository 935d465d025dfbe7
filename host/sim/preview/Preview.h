#ifndef OSTREL_SIM_PREVIEW_PREVIEW_H
#define OSTREL_SIM_PREVIEW_PREVIEW_H
// --window: the flight in real time in a window on the screen, or with
// --live what X-Plane sends (Preview.cpp, over a PreviewWindow).

#include "modes/Plan.h"

namespace sim {

int RunWindow(const Plan &plan);
int RunLiveWindow(const Plan &plan);

}  // namespace sim

#endif
