// Dragging the panel window with the mouse, and the key callback.

#include <gtest/gtest.h>

#include <climits>

#include "RecordingHarness.h"

namespace {

using host::Rect;

// Every vertex of a frame as passed to glVertex, in drawing order.
std::vector<std::pair<double, double>> Vertices(RecordingHarness &h)
{
    std::vector<std::pair<double, double>> out;
    for (const rgl::Primitive &p : h.drawFrame().primitives())
        for (const rgl::Vertex &v : p.vertices) out.emplace_back(v.x, v.y);
    return out;
}

}  // namespace

TEST(Mouse, DragAtScaleOnePointTwoTruncatesTheOriginAndSnaps)
{
    RecordingHarness h;
    h.start();
    h.press(cmd::Larger);
    const auto atOrigin = Vertices(h);
    ASSERT_EQ(h.windowRect(), (Rect{0, 384, 570, 0}));

    EXPECT_EQ(h.mouse(10, 10, xplm_MouseDown), 1);
    EXPECT_EQ(h.mouse(130, 10, xplm_MouseDrag), 1);
    // The window follows the mouse exactly while moving.
    EXPECT_EQ(h.windowRect(), (Rect{120, 384, 690, 0}));
    EXPECT_EQ(h.mouse(130, 10, xplm_MouseUp), 1);
    // XO = trunc(120 / 1.2000000477) = 99; the window snaps to trunc(99 x 1.2000000477).
    EXPECT_EQ(h.windowRect(), (Rect{118, 384, 688, 0}));

    // The drawn panel moved by 99 panel units.
    const auto moved = Vertices(h);
    ASSERT_EQ(moved.size(), atOrigin.size());
    for (size_t i = 0; i < moved.size(); i++) {
        EXPECT_EQ(moved[i].first, atOrigin[i].first + 99) << "vertex " << i;
        EXPECT_EQ(moved[i].second, atOrigin[i].second) << "vertex " << i;
    }
}

TEST(Mouse, DragTruncatesTowardZeroLeftOfTheScreen)
{
    RecordingHarness h;
    h.start();
    h.press(cmd::Larger);
    h.mouse(100, 100, xplm_MouseDown);
    h.mouse(50, 60, xplm_MouseDrag);  // left -50, bottom -40
    EXPECT_EQ(h.windowRect(), (Rect{-50, 344, 520, -40}));
    h.mouse(50, 60, xplm_MouseUp);
    // XO = trunc(-41.67) = -41 -> left trunc(-49.2) = -49; YO = -33 -> bottom -39.
    EXPECT_EQ(h.windowRect(), (Rect{-49, 345, 521, -39}));
}

TEST(Mouse, GrabOffsetIsKeptAcrossSeveralDrags)
{
    RecordingHarness h;
    h.start();
    h.mouse(200, 100, xplm_MouseDown);
    for (int step = 1; step <= 4; step++) {
        h.mouse(200 + 10 * step, 100 - 5 * step, xplm_MouseDrag);
        EXPECT_EQ(h.windowRect(), (Rect{10 * step, GA_PANEL.h - 5 * step, GA_PANEL.w + 10 * step, -5 * step}));
    }
    h.mouse(240, 80, xplm_MouseUp);
    EXPECT_EQ(h.windowRect(), (Rect{40, 300, 515, -20}));
}

TEST(Mouse, DragWithoutDownChangesNothing)
{
    RecordingHarness h;
    h.start();
    const int sets = h.window()->geometrySets;
    EXPECT_EQ(h.mouse(300, 200, xplm_MouseDrag), 1);
    EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));
    EXPECT_EQ(h.window()->geometrySets, sets);

    // Nor after a completed drag.
    h.drag(10, 10, 20, 20);
    const Rect after = h.windowRect();
    const int setsAfter = h.window()->geometrySets;
    EXPECT_EQ(h.mouse(300, 200, xplm_MouseDrag), 1);
    EXPECT_EQ(h.windowRect(), after);
    EXPECT_EQ(h.window()->geometrySets, setsAfter);
}

TEST(Mouse, EveryStatusIsTaken)
{
    RecordingHarness h;
    h.start();
    for (int status : {0, 4, -1, 99}) {
        h.host().clearCalls();
        EXPECT_EQ(h.mouse(5, 5, status), 1) << status;
        // Only the geometry read: nothing moves for an unknown status.
        ASSERT_EQ(h.host().calls().size(), 1u);
        EXPECT_EQ(h.host().calls()[0].fn, "XPLMGetWindowGeometry");
    }
    EXPECT_EQ(h.mouse(5, 5, xplm_MouseUp), 1);  // an up without a down snaps in place
    EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));
}

TEST(Mouse, KeysDoNothing)
{
    RecordingHarness h;
    h.start();
    h.host().clearCalls();
    h.gl().beginFrame();
    h.key('a', xplm_DownFlag, 0x41);
    h.key('a', xplm_UpFlag, 0x41);
    h.key(0, 0, 0, 1);
    EXPECT_TRUE(h.host().calls().empty());
    EXPECT_TRUE(h.gl().calls().empty());
    EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));
}

// A drag far off screen pins the origin to the ends of the int range; every
// sum made from it (window edges, pivots, the re-scaled origin) stays on
// that side instead of wrapping round to the other.
TEST(Mouse, AnOriginAtTheEndsOfTheIntRangeDoesNotWrap)
{
    for (int far : {INT_MAX, INT_MIN}) {
        for (int panel = 0; panel < 2; panel++) {
            SCOPED_TRACE(::testing::Message() << "drag to " << far << (panel ? ", Glass" : ", GA"));
            RecordingHarness h;
            h.start();
            if (panel) h.press(cmd::Switch);
            h.drag(10, 10, far, far);
            for (const char *command : {cmd::Smaller, cmd::Larger, cmd::Larger}) {
                const Rect r = h.windowRect();
                EXPECT_LE(r.left, r.right);
                EXPECT_LE(r.bottom, r.top);
                EXPECT_EQ(r.left > 0, far > 0) << host::ToString(r);
                EXPECT_EQ(r.top > 0, far > 0) << host::ToString(r);

                // Each pivot moves there and back by the same amount, on the far side.
                auto moves = h.drawFrame().callsTo("glTranslated");
                ASSERT_FALSE(moves.empty());
                ASSERT_EQ(moves.size() % 2, 0u);
                for (size_t i = 0; i < moves.size(); i += 2) {
                    EXPECT_EQ(moves[i].args[0] > 0, far > 0) << moves[i].args[0];
                    EXPECT_EQ(moves[i + 1].args[0], -moves[i].args[0]);
                    EXPECT_EQ(moves[i + 1].args[1], -moves[i].args[1]);
                }
                h.press(command);
            }
        }
    }
}
