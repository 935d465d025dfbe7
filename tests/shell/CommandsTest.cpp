// The six panel commands: phases, scale steps in single precision, the
// limits, the panel-type switch and the transparency cycle.

#include <gtest/gtest.h>

#include <sstream>

#include "AtlasRects.h"
#include "RecordingHarness.h"

namespace {

using host::Rect;

// What a frame shows, as text: window rectangle, then every primitive with
// its colour and vertices.
std::string Observe(RecordingHarness &h)
{
    const rgl::RecordingGL &gl = h.drawFrame();
    std::ostringstream s;
    s << host::ToString(h.windowRect());
    for (const rgl::Primitive &p : gl.primitives()) {
        s << " [" << p.mode << " " << p.color.r << "," << p.color.g << "," << p.color.b << ","
          << p.color.a;
        for (const rgl::Vertex &v : p.vertices) s << " " << v.sx << "," << v.sy;
        s << "]";
    }
    return s.str();
}

// Moves the panel origin to (x, y) at scale 1 with a mouse drag.
void MoveOriginTo(RecordingHarness &h, int x, int y)
{
    Rect r = h.windowRect();
    h.drag(r.left + 5, r.bottom + 5, x + 5, y + 5);
    ASSERT_EQ(h.windowRect().left, x);
    ASSERT_EQ(h.windowRect().bottom, y);
}

}  // namespace

struct PhaseCase {
    const char *command;
    int view;  // a view in which the command's effect shows on the next frame
};

class CommandPhases : public testing::TestWithParam<PhaseCase> {};

TEST_P(CommandPhases, OnlyTheEndPhaseActsAndEveryPhaseReturnsZero)
{
    RecordingHarness h;
    h.start();
    h.setView(GetParam().view);
    Observe(h);  // settle: a hidden view collapses on the first frame
    const std::string before = Observe(h);

    for (XPLMCommandPhase phase : {xplm_CommandBegin, xplm_CommandContinue}) {
        h.host().clearCalls();
        host::FireResult r = h.fire(GetParam().command, phase);
        ASSERT_TRUE(r.found);
        EXPECT_EQ(r.returns, std::vector<int>{0}) << "phase " << phase;
        EXPECT_TRUE(h.host().calls().empty()) << "phase " << phase;
        EXPECT_EQ(Observe(h), before) << "phase " << phase;
    }
    host::FireResult r = h.fire(GetParam().command, xplm_CommandEnd);
    EXPECT_EQ(r.returns, std::vector<int>{0});
    EXPECT_NE(Observe(h), before);
}

INSTANTIATE_TEST_SUITE_P(AllSix, CommandPhases,
                         testing::Values(PhaseCase{cmd::OnOff, 1017}, PhaseCase{cmd::Larger, 1017},
                                         PhaseCase{cmd::Smaller, 1017},
                                         PhaseCase{cmd::Switch, 1017}, PhaseCase{cmd::Alpha, 1017},
                                         PhaseCase{cmd::Force, 0}),
                         [](const testing::TestParamInfo<PhaseCase> &i) {
                             std::string n = i.param.command;
                             return n.substr(n.rfind('/') + 1);
                         });

TEST(Commands, ScaleStepsUpInSinglePrecisionAndStopsAtTwo)
{
    RecordingHarness h;
    h.start();
    // 1.2, 1.4, 1.6, 1.8, 2.0 as single-precision sums; a double sum would
    // give 759 at 1.6, and a limit tested after the step would stop at 1.8.
    const Rect expected[] = {{0, 384, 570, 0}, {0, 448, 665, 0}, {0, 512, 760, 0},
                             {0, 576, 855, 0}, {0, 640, 950, 0}, {0, 640, 950, 0},
                             {0, 640, 950, 0}};
    int sets = h.window()->geometrySets;
    for (const Rect &r : expected) {
        h.press(cmd::Larger);
        EXPECT_EQ(h.windowRect(), r);
        EXPECT_EQ(h.window()->geometrySets, ++sets) << "the window is set on every press";
    }
}

TEST(Commands, ScaleStepsDownAndStopsAtPointSix)
{
    RecordingHarness h;
    h.start();
    // 0.8, 0.6, then 0.6000000238 is not above 0.6 and stays.
    const Rect expected[] = {{0, 256, 380, 0}, {0, 192, 285, 0}, {0, 192, 285, 0}};
    int sets = h.window()->geometrySets;
    for (const Rect &r : expected) {
        h.press(cmd::Smaller);
        EXPECT_EQ(h.windowRect(), r);
        EXPECT_EQ(h.window()->geometrySets, ++sets);
    }
    h.press(cmd::Larger);
    h.press(cmd::Larger);
    EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));
}

TEST(Commands, LargerMovesTheOriginToKeepTheWindowInPlace)
{
    RecordingHarness h;
    h.start();
    MoveOriginTo(h, 100, 0);
    h.press(cmd::Larger);
    // XO = 100 - (120 - 100) = 80, left = trunc(80 x 1.2000000477) = 96.
    EXPECT_EQ(h.windowRect(), (Rect{96, 384, 666, 0}));
}

TEST(Commands, ScaleArithmeticTruncatesEveryProduct)
{
    RecordingHarness h;
    h.start();
    MoveOriginTo(h, 7, 3);
    // Up to the limit and past it, then down to the lower limit and past it.
    const Rect up[] = {{7, 387, 577, 3}, {7, 450, 672, 2}, {6, 513, 766, 1}, {5, 577, 860, 1},
                       {4, 640, 954, 0}, {4, 640, 954, 0}};
    for (const Rect &r : up) {
        h.press(cmd::Larger);
        EXPECT_EQ(h.windowRect(), r);
    }
    const Rect down[] = {{5, 576, 860, 0}, {6, 512, 766, 0}, {7, 448, 672, 0}, {7, 384, 577, 0},
                         {7, 320, 482, 0}, {7, 256, 387, 0}, {6, 192, 291, 0}, {6, 192, 291, 0}};
    for (const Rect &r : down) {
        h.press(cmd::Smaller);
        EXPECT_EQ(h.windowRect(), r);
    }
}

TEST(Commands, SwitchResizesToThePanelTypeAtTheCurrentScale)
{
    RecordingHarness h;
    h.start();
    h.press(cmd::Switch);
    EXPECT_EQ(h.windowRect(), AtOrigin(GLASS_PANEL));
    h.press(cmd::Switch);
    EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));

    MoveOriginTo(h, 50, 30);
    h.press(cmd::Larger);
    h.press(cmd::Larger);  // 1.4000000954, origin (32, 19)
    EXPECT_EQ(h.windowRect(), (Rect{44, 474, 709, 26}));
    h.press(cmd::Switch);  // 529 x 254 at the scaled origin
    EXPECT_EQ(h.windowRect(), (Rect{44, 280, 573, 26}));
    h.press(cmd::Switch);
    EXPECT_EQ(h.windowRect(), (Rect{44, 474, 709, 26}));
}

TEST(Commands, TransparencyCyclesThroughEightStates)
{
    RecordingHarness h;
    h.start();
    auto tintAlpha = [&]() -> float {
        auto plate = h.drawFrame().showing(ATLAS_GA_PLATE);
        return plate.empty() ? -1.0f : plate[0].color.a;
    };
    EXPECT_EQ(tintAlpha(), 1.0f);
    // ALPHA - 0.1 in single precision each step, back to 1.0 below 0.3.
    const float expected[] = {0.899999976f, 0.799999952f, 0.699999928f, 0.599999905f,
                              0.499999911f, 0.399999917f, 0.299999923f, 1.0f,
                              0.899999976f};
    for (float a : expected) {
        h.press(cmd::Alpha);
        EXPECT_EQ(tintAlpha(), a);
    }
}

TEST(Commands, TogglesFlipBackAndForth)
{
    RecordingHarness h;
    h.start();
    h.drawFrame();
    const Rect collapsed{1, 1, 1, 1}, shown = AtOrigin(GA_PANEL);
    const struct {
        const char *command;
        Rect after;
    } steps[] = {{cmd::OnOff, collapsed}, {cmd::Force, shown}, {cmd::Force, collapsed}, {cmd::OnOff, shown}};
    for (const auto &s : steps) {
        h.press(s.command);
        h.drawFrame();
        EXPECT_EQ(h.windowRect(), s.after) << s.command;
    }
}
