// 100,000 random events through the host with the plug-in loaded: every
// command phase, presses, drags and releases anywhere on and off the screen,
// view types, screen sizes, elapsed times around the splash, flight values
// from the hostile list, and reloads with datarefs missing. After every
// frame the window, the opacity and the GL record must still be sound. The
// seed is printed; OSTREL_STORM_SEED=N replays a run.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "PanelSteps.h"
#include "RecordingHarness.h"

namespace {

constexpr int kEvents = 100000;
constexpr int kEventsPerLoad = 5000;  // then a reload with other datarefs missing

// The view types the panel shows in and some it does not, odd ones too.
std::vector<int> Views()
{
    std::vector<int> v(std::begin(host::kShownViews), std::end(host::kShownViews));
    v.insert(v.end(), std::begin(host::kHiddenViews), std::end(host::kHiddenViews));
    v.insert(v.end(), {0, 1016, 1025, -1, std::numeric_limits<int>::max()});
    return v;
}
constexpr float kInf = std::numeric_limits<float>::infinity();
const float kValues[] = {std::numeric_limits<float>::quiet_NaN(), kInf, -kInf, 1e30f, -1e30f,
                         std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                         std::numeric_limits<float>::denorm_min(), -0.0f, 0.0f, 1.0f, 120.0f,
                         -45.0f, 359.9f, 3000.0f};
const int kInts[] = {0, 1, 2, -1, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
const int kScreens[][2] = {{1024, 768}, {1920, 1080}, {640, 480}, {3840, 2160}, {1, 1}, {0, 0}};

unsigned Seed()
{
    if (const char *s = std::getenv("OSTREL_STORM_SEED")) return unsigned(std::strtoul(s, nullptr, 10));
    return std::random_device{}();
}

}  // namespace

TEST(EventStorm, PanelStaysSoundThroughRandomEvents)
{
    const unsigned seed = Seed();
    std::printf("event storm seed %u (replay: OSTREL_STORM_SEED=%u)\n", seed, seed);
    std::fflush(stdout);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    auto chance = [&](int percent) { return pick(100) < percent; };
    const std::vector<int> views = Views();

    int frames = 0, drawn = 0;
    for (int done = 0; done < kEvents;) {
        HarnessOptions o;
        const int *screen = kScreens[pick(6)];
        o.screenWidth = screen[0], o.screenHeight = screen[1];
        // A reload now and then finds some datarefs missing (the view type too).
        if (done > 0)
            for (const dr::Dataref &s : dr::kFlightData)
                if (chance(10)) o.absent.push_back(s.name);
        RecordingHarness h(o);
        ASSERT_EQ(h.start(), 1);
        h.host().setTracing(false);
        bool dragging = false;  // a press not yet released

        for (int i = 0; i < kEventsPerLoad && done < kEvents; ++i, ++done) {
            const int kind = pick(100);
            if (kind < 30) {
                const char *c = host::kPanelCommands[pick(int(std::size(host::kPanelCommands)))].name;
                const int phase = pick(4);  // begin, continue, end, or a whole press
                if (phase == 3) {
                    h.fire(c, xplm_CommandBegin);
                    h.fire(c, xplm_CommandEnd);
                } else {
                    h.fire(c, phase);
                }
            } else if (kind < 50) {
                const int w = std::max(h.host().screenWidth(), 64), ht = std::max(h.host().screenHeight(), 64);
                const int x = pick(3 * w) - w, y = pick(3 * ht) - ht;
                const XPLMMouseStatus status = pick(20) == 0 ? 4 : 1 + pick(3);
                EXPECT_EQ(h.mouse(x, y, status), 1);
                if (status == xplm_MouseDown) dragging = true;
                if (status == xplm_MouseUp) dragging = false;
            } else if (kind < 57) {
                h.setView(views[size_t(pick(int(views.size())))]);
            } else if (kind < 60) {
                const int *s = kScreens[pick(6)];
                h.host().setScreenSize(s[0], s[1]);
            } else if (kind < 63) {
                h.setElapsed(chance(50) ? float(pick(200)) / 10.0f : 10.0f + float(pick(1000)));
            } else if (kind < 75) {
                const dr::Dataref &s = dr::kFlightData[size_t(pick(int(dr::kFlightData.size())))];
                if (std::string(s.name) == dr::ViewType) continue;
                switch (s.type) {
                case host::DataType::Int: h.setInt(s.name, kInts[pick(6)]); break;
                case host::DataType::Float: h.setFloat(s.name, kValues[pick(15)]); break;
                case host::DataType::FloatArray:
                    h.setFloatArray(s.name, std::vector<float>(10, kValues[pick(15)]));
                    break;
                }
            } else {
                const rgl::RecordingGL &gl = h.drawFrame();
                ++frames;
                drawn += !gl.quads().empty();
                const bool splash = h.host().elapsedTime() < 10.0f;
                const std::string frame = soak::CheckFrame(gl, !splash);
                const std::string rect = soak::CheckWindowRect(h.windowRect(), !dragging);
                if (!frame.empty() || !rect.empty()) {
                    ADD_FAILURE() << "event " << done << ", frame " << frames << ": " << frame << rect;
                    return;
                }
                h.gl().takeErrors();
                h.expectNoHostErrors();
                if (HasFailure()) return;
            }
        }
    }
    std::printf("event storm: %d events, %d frames, %d with the panel or splash drawn\n", kEvents,
                frames, drawn);
    EXPECT_GT(drawn, frames / 10) << "the storm hardly ever showed the panel";
}
