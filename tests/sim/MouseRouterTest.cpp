// Mouse delivery: which window gets a press, its drags and its release.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/MouseRouter.h"

using namespace sim;

namespace {

std::vector<std::string> gSeen;
int gTakesPresses = 1;

void Draw(XPLMWindowID, void *) {}
void Key(XPLMWindowID, char, XPLMKeyFlags, char, void *, int) {}
int Mouse(XPLMWindowID, int x, int y, XPLMMouseStatus status, void *refcon)
{
    gSeen.push_back(std::string(static_cast<const char *>(refcon)) + " " + std::to_string(status) + " " +
                    std::to_string(x) + "," + std::to_string(y));
    return status == xplm_MouseDown && std::string(static_cast<const char *>(refcon)) == "top"
               ? gTakesPresses
               : 1;
}

struct Routing : testing::Test {
    host::Host &h = host::Host::instance();
    host::Window *bottom = nullptr, *top = nullptr;
    MouseRouter router{[](host::Window &w, int x, int y, XPLMMouseStatus s) {
        return w.mouse(&w, x, y, s, w.refcon);
    }};
    static constexpr char kBottom[] = "bottom", kTop[] = "top";

    void SetUp() override
    {
        h.reset();
        gSeen.clear();
        gTakesPresses = 1;
        // bottom: x 0..99, y 0..99; top (created later, so above): x 50..149, y 50..149
        bottom = static_cast<host::Window *>(
            h.createWindow({0, 100, 100, 0}, 1, Draw, Key, Mouse, const_cast<char *>(kBottom)));
        top = static_cast<host::Window *>(
            h.createWindow({50, 150, 150, 50}, 1, Draw, Key, Mouse, const_cast<char *>(kTop)));
    }
    void TearDown() override { h.reset(); }
};

}  // namespace

TEST_F(Routing, PressGoesToTheTopmostWindowUnderThePointer)
{
    EXPECT_EQ(router.deliver(h, 10, 10, xplm_MouseDown), bottom);
    EXPECT_EQ(router.deliver(h, 10, 10, xplm_MouseUp), bottom);
    EXPECT_EQ(router.deliver(h, 75, 75, xplm_MouseDown), top);
    EXPECT_EQ(router.deliver(h, 75, 75, xplm_MouseUp), top);
}

TEST_F(Routing, DragsAndReleaseFollowThePressEvenOutside)
{
    router.deliver(h, 10, 10, xplm_MouseDown);
    EXPECT_EQ(router.deliver(h, 120, 120, xplm_MouseDrag), bottom);  // over the other window
    EXPECT_EQ(router.deliver(h, 900, -40, xplm_MouseDrag), bottom);  // off every window
    EXPECT_EQ(router.deliver(h, 900, -40, xplm_MouseUp), bottom);
    EXPECT_EQ(gSeen, (std::vector<std::string>{"bottom 1 10,10", "bottom 2 120,120", "bottom 2 900,-40",
                                               "bottom 3 900,-40"}));
    EXPECT_EQ(router.deliver(h, 10, 10, xplm_MouseDrag), nullptr);  // released: nothing captured
}

TEST_F(Routing, ClicksOutsideEveryWindowReachNone)
{
    EXPECT_EQ(router.deliver(h, 300, 300, xplm_MouseDown), nullptr);
    EXPECT_EQ(router.deliver(h, 10, 10, xplm_MouseDrag), nullptr);
    EXPECT_EQ(router.deliver(h, 10, 10, xplm_MouseUp), nullptr);
    EXPECT_TRUE(gSeen.empty());
}

TEST_F(Routing, EdgesAreHalfOpen)
{
    EXPECT_EQ(router.deliver(h, 0, 0, xplm_MouseDown), bottom);
    router.deliver(h, 0, 0, xplm_MouseUp);
    EXPECT_EQ(router.deliver(h, 149, 149, xplm_MouseDown), top);
    router.deliver(h, 0, 0, xplm_MouseUp);
    EXPECT_EQ(router.deliver(h, 150, 100, xplm_MouseDown), nullptr);
    EXPECT_EQ(router.deliver(h, 100, 150, xplm_MouseDown), nullptr);
}

TEST_F(Routing, DeclinedPressFallsThroughToTheWindowBelow)
{
    gTakesPresses = 0;
    EXPECT_EQ(router.deliver(h, 75, 75, xplm_MouseDown), bottom);
    EXPECT_EQ(router.deliver(h, 80, 80, xplm_MouseUp), bottom);
    EXPECT_EQ(gSeen, (std::vector<std::string>{"top 1 75,75", "bottom 1 75,75", "bottom 3 80,80"}));
    EXPECT_EQ(router.deliver(h, 120, 120, xplm_MouseDown), nullptr);  // declined, nothing below
}

TEST_F(Routing, CollapsedHiddenAndDestroyedWindowsTakeNoClicks)
{
    top->rect = {1, 1, 1, 1};  // the panel's hidden state: a window of no size
    EXPECT_EQ(router.deliver(h, 1, 1, xplm_MouseDown), bottom);
    router.deliver(h, 1, 1, xplm_MouseUp);
    bottom->visible = false;
    EXPECT_EQ(router.deliver(h, 10, 10, xplm_MouseDown), nullptr);
    bottom->visible = true;
    router.deliver(h, 10, 10, xplm_MouseDown);
    h.destroyWindow(bottom);  // destroyed while captured
    EXPECT_EQ(router.deliver(h, 10, 10, xplm_MouseUp), nullptr);
}
