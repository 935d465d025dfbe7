// The host stand-in's own rules, called directly as a plug-in would.

#include <gtest/gtest.h>

#include "XPLMDataAccess.h"
#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "XPLMUtilities.h"
#include "host/Host.h"

namespace {

class Host : public testing::Test {
protected:
    Host() : h(host::Host::instance()) { h.reset(); }
    ~Host() override { h.reset(); }
    host::Host &h;
};

void Draw(XPLMWindowID, void *) {}
void Key(XPLMWindowID, char, XPLMKeyFlags, char, void *, int) {}
int Mouse(XPLMWindowID, int, int, XPLMMouseStatus, void *) { return 1; }

std::vector<int> order;
int First(XPLMCommandRef, XPLMCommandPhase, void *refcon)
{
    order.push_back(1);
    return refcon ? 0 : 1;
}
int Second(XPLMCommandRef, XPLMCommandPhase, void *)
{
    order.push_back(2);
    return 1;
}

}  // namespace

TEST_F(Host, WindowsAreCheckedByHandle)
{
    int refcon = 0;
    XPLMWindowID w = XPLMCreateWindow(1, 20, 30, 4, 1, Draw, Key, Mouse, &refcon);
    int l = -1, t = -1, r = -1, b = -1;
    XPLMGetWindowGeometry(w, &l, &t, &r, &b);
    EXPECT_EQ((host::Rect{l, t, r, b}), (host::Rect{1, 20, 30, 4}));
    XPLMGetWindowGeometry(w, nullptr, &t, nullptr, nullptr);  // any may be null
    EXPECT_EQ(h.window(w)->refcon, &refcon);
    EXPECT_TRUE(h.errors().empty());

    XPLMDestroyWindow(w);
    XPLMDestroyWindow(w);
    XPLMSetWindowGeometry(w, 0, 0, 0, 0);
    int dummy = 0;
    XPLMDestroyWindow(&dummy);
    EXPECT_EQ(h.takeErrors().size(), 3u);
    EXPECT_EQ(h.liveWindowCount(), 0);
}

TEST_F(Host, DatarefsAreTypedAndMayBeAbsent)
{
    h.defineInt("a/int", 7);
    h.defineFloat("a/float", 2.5f);
    h.defineFloatArray("a/array", {1, 2, 3, 4});
    h.defineFloat("a/gone", 1.0f);
    h.setAbsent("a/gone");

    XPLMDataRef i = XPLMFindDataRef("a/int"), f = XPLMFindDataRef("a/float"),
                v = XPLMFindDataRef("a/array");
    EXPECT_EQ(XPLMFindDataRef("a/gone"), nullptr);
    EXPECT_EQ(XPLMFindDataRef("never/defined"), nullptr);
    EXPECT_EQ(XPLMGetDatai(i), 7);
    EXPECT_EQ(XPLMGetDataf(f), 2.5f);
    float out[4] = {9, 9, 9, 9};
    EXPECT_EQ(XPLMGetDatavf(v, nullptr, 0, 0), 4);
    EXPECT_EQ(XPLMGetDatavf(v, out, 1, 2), 2);
    EXPECT_EQ(out[0], 2.0f);
    EXPECT_EQ(out[1], 3.0f);
    EXPECT_EQ(out[2], 9.0f);
    EXPECT_EQ(XPLMGetDatavf(v, out, 3, 10), 1);
    EXPECT_TRUE(h.errors().empty());

    EXPECT_EQ(XPLMGetDataf(i), 0.0f);       // wrong type
    EXPECT_EQ(XPLMGetDatai(nullptr), 0);    // null handle
    int junk = 0;
    EXPECT_EQ(XPLMGetDatai(&junk), 0);      // unknown handle
    EXPECT_EQ(XPLMGetDatavf(f, out, 0, 1), 0);
    EXPECT_EQ(h.takeErrors().size(), 4u);
    EXPECT_EQ(h.dataRef("a/int")->reads, 1);
}

TEST_F(Host, CommandHandlersRunBeforeThenAfterAndStopAtZero)
{
    XPLMCommandRef c = XPLMCreateCommand("x/cmd", "A command");
    EXPECT_EQ(XPLMCreateCommand("x/cmd", "Again"), c);
    XPLMRegisterCommandHandler(c, First, 0, nullptr);
    XPLMRegisterCommandHandler(c, Second, 1, nullptr);
    order.clear();
    EXPECT_EQ(h.fire("x/cmd", xplm_CommandEnd).returns, (std::vector<int>{1, 1}));
    EXPECT_EQ(order, (std::vector<int>{2, 1}));

    XPLMUnregisterCommandHandler(c, Second, 1, nullptr);
    int stop = 1;
    XPLMRegisterCommandHandler(c, First, 0, &stop);
    XPLMRegisterCommandHandler(c, Second, 0, nullptr);
    order.clear();
    EXPECT_EQ(h.fire("x/cmd", xplm_CommandBegin).returns, (std::vector<int>{1, 0}));
    EXPECT_EQ(order, (std::vector<int>{1, 1}));
    EXPECT_TRUE(h.errors().empty());

    XPLMUnregisterCommandHandler(c, Second, 1, nullptr);   // registered with before 0
    XPLMUnregisterCommandHandler(c, First, 0, &order);      // other refcon
    XPLMRegisterCommandHandler(c, First, 0, nullptr);       // twice
    XPLMRegisterCommandHandler(nullptr, First, 0, nullptr);  // no command
    EXPECT_EQ(h.takeErrors().size(), 4u);
    EXPECT_EQ(h.command("x/cmd")->description, "A command");
    EXPECT_FALSE(h.fire("x/other", xplm_CommandEnd).found);
}

TEST_F(Host, LogSpeechAndGraphicsAreRecorded)
{
    struct Backend : host::GraphicsBackend {
        int states = 0, binds = 0;
        void setGraphicsState(const host::GraphicsState &) override { states++; }
        void bindTexture2d(int, int) override { binds++; }
    } backend;
    h.setGraphicsBackend(&backend);
    XPLMDebugString("one\n");
    XPLMDebugString("two");
    XPLMSpeakString("hello");
    XPLMSetGraphicsState(0, 1, 0, 1, 1, 0, 0);
    XPLMBindTexture2d(5, 0);
    EXPECT_EQ(h.log(), (std::vector<std::string>{"one\n", "two"}));
    EXPECT_EQ(h.logText(), "one\ntwo");
    EXPECT_EQ(h.spoken(), std::vector<std::string>{"hello"});
    EXPECT_EQ(h.graphicsStates().size(), 1u);
    ASSERT_EQ(h.textureBinds().size(), 1u);
    EXPECT_EQ(h.textureBinds()[0].texture, 5);
    EXPECT_EQ(backend.states, 1);
    EXPECT_EQ(backend.binds, 1);
    int w = 0, ht = 0;
    h.setScreenSize(1920, 1080);
    XPLMGetScreenSize(&w, &ht);
    XPLMGetScreenSize(nullptr, nullptr);
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(ht, 1080);
}
