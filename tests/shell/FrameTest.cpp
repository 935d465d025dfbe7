// The frame cycle: drawing state, splash, visibility, collapse and restore.

#include <gtest/gtest.h>

#include "AtlasRects.h"
#include "RecordingHarness.h"

namespace {

using host::Rect;

const Rect kStart = AtOrigin(GA_PANEL);
const Rect kCollapsed{1, 1, 1, 1};

std::vector<std::string> HostFns(RecordingHarness &h)
{
    std::vector<std::string> out;
    for (const host::Call &c : h.host().calls()) out.push_back(c.fn);
    return out;
}

}  // namespace

TEST(Frame, SetsTheDrawingStateFirst)
{
    RecordingHarness h;
    h.start();
    h.setView(0);
    h.host().clearCalls();
    const rgl::RecordingGL &gl = h.drawFrame();
    EXPECT_EQ(gl.names(), (std::vector<std::string>{"XPLMSetGraphicsState", "glEnable", "glEnable",
                                                    "glBlendFunc"}));
    ASSERT_EQ(h.host().graphicsStates().size(), 1u);
    EXPECT_EQ(h.host().graphicsStates()[0], (host::GraphicsState{0, 1, 0, 1, 1, 0, 0}));
    EXPECT_EQ(gl.calls()[1].args, std::vector<double>{GL_TEXTURE_2D});
    EXPECT_EQ(gl.calls()[2].args, std::vector<double>{GL_BLEND});
    EXPECT_EQ(gl.blendSrc(), unsigned(GL_SRC_ALPHA));
    EXPECT_EQ(gl.blendDst(), unsigned(GL_ONE_MINUS_SRC_ALPHA));
    // A hidden frame: state, time, geometry, view type, collapse.
    EXPECT_EQ(HostFns(h), (std::vector<std::string>{"XPLMSetGraphicsState", "XPLMGetElapsedTime",
                                                    "XPLMGetWindowGeometry", "XPLMGetDatai",
                                                    "XPLMSetWindowGeometry"}));
}

// Where the splash stands and how it looks: VocabularyTest's SplashGeometry;
// its pixels: MesaFrameTest.
TEST(Frame, SplashDrawnFirstBeforeTenSecondsWhateverTheVisibility)
{
    RecordingHarness h;
    h.start();
    const unsigned master = h.gl().generatedTextures().at(0);
    // Listed view, hidden view, hidden by the on/off command, forced on.
    for (int setup = 0; setup < 4; setup++) {
        if (setup == 1) h.setView(0);
        if (setup == 2) h.setView(1017), h.press(cmd::OnOff);
        if (setup == 3) h.press(cmd::Force);
        for (float t : {0.0f, 9.99f}) {
            h.setElapsed(t);
            const rgl::RecordingGL &gl = h.drawFrame();
            auto splash = gl.showing(ATLAS_SPLASH);
            ASSERT_EQ(splash.size(), 1u) << "setup " << setup << " at " << t;
            const rgl::Primitive &q = splash[0];
            EXPECT_EQ(q.depth, 0) << "before any panel transform";
            EXPECT_EQ(q.texture, master);
            EXPECT_TRUE(q.textured());
            EXPECT_TRUE(q.enabled(GL_BLEND));
            // First thing drawn, bound through the host.
            EXPECT_EQ(gl.primitives()[0].callIndex, q.callIndex);
            ASSERT_GE(gl.count("XPLMBindTexture2d"), 1);
            EXPECT_EQ(gl.callsTo("XPLMBindTexture2d")[0].args, (std::vector<double>{double(master), 0}));
        }
    }
}

TEST(Frame, SplashNotDrawnFromTenSecondsOn)
{
    RecordingHarness h;
    h.start();
    for (int view : {1017, 0}) {
        h.setView(view);
        for (float t : {10.0f, 10.01f, 3600.0f}) {
            h.setElapsed(t);
            const rgl::RecordingGL &gl = h.drawFrame();
            EXPECT_TRUE(gl.showing(ATLAS_SPLASH).empty()) << view << " at " << t;
            EXPECT_EQ(gl.count("glVertex2d"), 0) << view << " at " << t;
            if (view == 0) {
                EXPECT_TRUE(gl.primitives().empty());
            }
        }
    }
}

TEST(Frame, SplashLeavesItsColourForTheRendererToReplace)
{
    RecordingHarness h;
    h.start();
    h.setView(0);
    h.setElapsed(3.0f);
    EXPECT_EQ(h.drawFrame().color(), (rgl::Color{1.0f, 1.0f, 1.0f, 0.8f}));
}

struct ViewCase {
    int view;
    bool shown;
};

class Visibility : public testing::TestWithParam<ViewCase> {};

TEST_P(Visibility, ShownExactlyInTheListedViews)
{
    RecordingHarness h;
    h.start();
    h.setView(GetParam().view);
    for (int frame = 0; frame < 3; frame++) {
        h.host().clearCalls();
        h.drawFrame();
        EXPECT_EQ(h.windowRect(), GetParam().shown ? kStart : kCollapsed);
        // Hidden frames set the collapsed rectangle every time; shown ones never move it.
        EXPECT_EQ(h.host().countCalls("XPLMSetWindowGeometry"), GetParam().shown ? 0 : 1);
        EXPECT_EQ(h.reads(dr::Airspeed), GetParam().shown ? frame + 1 : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Views, Visibility,
    testing::Values(ViewCase{1014, true}, ViewCase{1017, true}, ViewCase{1018, true},
                    ViewCase{1020, true}, ViewCase{1021, true}, ViewCase{1023, true},
                    ViewCase{1024, true}, ViewCase{0, false}, ViewCase{1000, false},
                    ViewCase{1013, false}, ViewCase{1015, false}, ViewCase{1016, false},
                    ViewCase{1019, false}, ViewCase{1022, false}, ViewCase{1025, false},
                    ViewCase{-1017, false}, ViewCase{2017, false}),
    [](const testing::TestParamInfo<ViewCase> &i) {
        return (i.param.view < 0 ? "minus" + std::to_string(-i.param.view)
                                 : std::to_string(i.param.view));
    });

TEST(Frame, ShowOffHidesEvenInAListedView)
{
    RecordingHarness h;
    h.start();
    h.press(cmd::OnOff);
    for (int frame = 0; frame < 3; frame++) {
        h.drawFrame();
        EXPECT_EQ(h.windowRect(), kCollapsed);
    }
    EXPECT_EQ(h.window()->geometrySets, 3);
    EXPECT_EQ(h.reads(dr::Airspeed), 0);
}

TEST(Frame, FirstVisibleFrameRestoresTheScaledRectangle)
{
    RecordingHarness h;
    h.start();
    h.drag(10, 10, 40, 50);  // origin (30, 40)
    h.press(cmd::Larger);
    const Rect scaled = h.windowRect();
    ASSERT_EQ(scaled, (Rect{28, 422, 598, 38}));  // origin (24, 32) at 1.2

    h.setView(1000);
    h.drawFrame();
    h.drawFrame();
    EXPECT_EQ(h.windowRect(), kCollapsed);

    h.setView(1017);
    h.host().clearCalls();
    const rgl::RecordingGL &gl = h.drawFrame();
    EXPECT_EQ(h.windowRect(), scaled);
    EXPECT_EQ(h.host().countCalls("XPLMSetWindowGeometry"), 1);
    EXPECT_EQ(h.reads(dr::Airspeed), 1) << "restored, then refreshed and drawn";
    (void)gl;

    h.host().clearCalls();
    h.drawFrame();
    EXPECT_EQ(h.host().countCalls("XPLMSetWindowGeometry"), 0);
}

TEST(Frame, ShowToggledBackOnRestoresOnTheNextFrame)
{
    RecordingHarness h;
    h.start();
    h.press(cmd::OnOff);
    h.drawFrame();
    ASSERT_EQ(h.windowRect(), kCollapsed);
    h.press(cmd::OnOff);
    EXPECT_EQ(h.windowRect(), kCollapsed) << "the command itself does not move the window";
    h.drawFrame();
    EXPECT_EQ(h.windowRect(), kStart);
}

TEST(Frame, ForcedOnInAnyView)
{
    RecordingHarness h;
    h.start();
    h.press(cmd::Force);
    for (int view : {0, 1000, 1016, 1017}) {
        h.setView(view);
        h.drawFrame();
        EXPECT_EQ(h.windowRect(), kStart) << view;
    }
    h.press(cmd::OnOff);  // Show off does not matter while forced
    h.setView(0);
    h.drawFrame();
    EXPECT_EQ(h.windowRect(), kStart);
    EXPECT_EQ(h.reads(dr::Airspeed), 5);
}

TEST(Frame, MissingViewTypeHidesUnlessForced)
{
    HarnessOptions o;
    o.absent = {dr::ViewType};
    RecordingHarness h(o);
    h.start();
    for (int frame = 0; frame < 2; frame++) {
        h.host().clearCalls();
        h.drawFrame();
        EXPECT_EQ(h.windowRect(), kCollapsed);
        EXPECT_EQ(h.host().countCalls("XPLMGetDatai"), 0) << "no read through the null handle";
    }
    h.press(cmd::Force);
    h.drawFrame();
    EXPECT_EQ(h.windowRect(), kStart);
    EXPECT_EQ(h.reads(dr::Airspeed), 1);
}

TEST(Frame, RendererFollowsThePanelType)
{
    RecordingHarness h;
    h.start();
    EXPECT_FALSE(h.drawFrame().showing(ATLAS_GA_PLATE).empty());
    h.press(cmd::Switch);
    EXPECT_FALSE(h.drawFrame().showing(ATLAS_GLASS_PLATE).empty());
    EXPECT_TRUE(h.gl().showing(ATLAS_GA_PLATE).empty());
    h.press(cmd::Switch);
    EXPECT_FALSE(h.drawFrame().showing(ATLAS_GA_PLATE).empty());
}

TEST(Frame, VisibleFrameLeavesTheMatrixStackBalanced)
{
    RecordingHarness h;
    h.start();
    h.setElapsed(5.0f);
    for (int mode = 0; mode < 2; mode++) {
        const rgl::RecordingGL &gl = h.drawFrame();
        EXPECT_EQ(gl.startDepth(), 0);
        EXPECT_EQ(gl.depth(), 0);
        EXPECT_GE(gl.minDepth(), 0);
        h.press(cmd::Switch);
    }
}
