#include "PanelFit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "PanelGeometry.h"

namespace sim::serve {

namespace {

// The scales the commands step through, from SCALE_MIN.
const int kSteps = int(std::lround((SCALE_MAX - SCALE_MIN) / SCALE_STEP)) + 1;
float ScaleAt(int step) { return SCALE_MIN + SCALE_STEP * float(step); }

// The plug-in's window is its panel's size times the scale, truncated; its
// scale comes from adding steps in floats, so a pixel either way is allowed.
bool Shows(PanelSize panel, float scale, int w, int h)
{
    return std::abs(int(float(panel.w) * scale) - w) <= 1 && std::abs(int(float(panel.h) * scale) - h) <= 1;
}

}  // namespace

std::optional<PanelScale> PanelScaleOf(int w, int h)
{
    for (int i = 0; i < kSteps; ++i) {
        if (Shows(GA_PANEL, ScaleAt(i), w, h)) return PanelScale{false, ScaleAt(i)};
        if (Shows(GLASS_PANEL, ScaleAt(i), w, h)) return PanelScale{true, ScaleAt(i)};
    }
    return std::nullopt;
}

int StepsToFit(int w, int h, web::PictureSize page, web::PictureSize screen)
{
    const auto now = PanelScaleOf(w, h);
    if (!now) return 0;
    const PanelSize panel = now->glass ? GLASS_PANEL : GA_PANEL;
    const float shown = std::min(float(page.width) / float(panel.w), float(page.height) / float(panel.h));
    int want = 0;
    for (int i = 0; i < kSteps; ++i) {
        if (float(panel.w) * ScaleAt(i) > float(screen.width) || float(panel.h) * ScaleAt(i) > float(screen.height))
            break;
        want = i;
        if (ScaleAt(i) >= shown - 0.01f) break;
    }
    const int current = int(std::lround((now->scale - SCALE_MIN) / SCALE_STEP));
    return want - current;
}

}  // namespace sim::serve
