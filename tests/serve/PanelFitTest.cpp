// The panel's scale for a page's size, from the plug-in's window alone.

#include <gtest/gtest.h>

#include "serve/PanelFit.h"

namespace sim::serve {
namespace {

TEST(PanelFit, StepsToTheSmallestScaleAtLeastAsLargeAsThePageShowsIt)
{
    struct Case {
        int w, h;  // the plug-in's window now
        web::PictureSize page;
        int steps;
        web::PictureSize screen = {1280, 800};
    } cases[] = {
        {475, 320, {1000, 700}, 5},   // GA at 1.0, a large page: 2.0
        {475, 320, {500, 340}, 1},    // shown at 1.05: 1.2
        {570, 384, {500, 340}, 0},    // already there
        {475, 320, {200, 100}, -2},   // a tiny page: 0.6
        {285, 192, {4000, 3000}, 7},  // GA at 0.6 to 2.0
        {378, 182, {2000, 2000}, 5},  // Glass at 1.0: 2.0
        {378, 182, {378, 182}, 0},    // exactly the panel's size
        {453, 218, {400, 400}, 0},    // Glass at 1.2, shown at 1.06: stays
        {453, 218, {300, 100}, -3},   // Glass at 1.2, shown at 0.55: 0.6
        {475, 320, {1000, 700}, 3, {800, 600}},   // the screen holds it at 1.6 at most
        {475, 320, {1000, 700}, -2, {300, 300}},  // not even at 0.6: the smallest
        {100, 100, {1000, 1000}, 0},  // not the panel's window: left alone
    };
    for (const Case &c : cases)
        EXPECT_EQ(StepsToFit(c.w, c.h, c.page, c.screen), c.steps) << c.w << "x" << c.h << " for " << c.page.width << "x"
                                                          << c.page.height;
}

}  // namespace
}  // namespace sim::serve
