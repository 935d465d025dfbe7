// --frames N --bench: the draw callback's time per frame for each panel,
// through the driver and with GL going nowhere.

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "Modes.h"
#include "figures/Statistics.h"
#include "counting/Counting.h"
#include "host/OffscreenGL.h"
#include "figures/Progress.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace sim {

namespace {

// The gl* functions the plug-in imports that the counts would miss.
void WarnOfUncountedGl(const std::string &plugin)
{
    const auto &counted = counting::CountedGlFunctions();
    for (const std::string &fn : counting::ImportedGlFunctions(plugin))
        if (std::find(counted.begin(), counted.end(), fn) == counted.end())
            std::cerr << "flyer-sim: warning: the plug-in imports " << fn << ", which gl_calls does not count\n";
}

}  // namespace

int RunBench(const Plan &plan)
{
    Input in = LoadInput(plan);
    const auto gl = OpenOffscreenGL(plan, true);
    std::cerr << "flyer-sim: bench: " << plan.benchFrames << " frames from t=" << plan.from << " s at "
              << plan.fps << " fps, " << plan.session.screenWidth << "x" << plan.session.screenHeight << "\n";
    WarnOfUncountedGl(plan.session.plugin);
    WarnOfLateEvents(in.events, plan.from + (plan.benchFrames - 1) / plan.fps);
    int code = 0;
    Progress progress("bench", 4 * plan.benchFrames);
    for (const char *panel : {"GA", "Glass"}) {
        std::vector<Event> events = in.events;
        if (std::string(panel) == "Glass") events.insert(events.begin(), GlassPanelAtStart());
        // The same frames twice: through the driver, then with GL going
        // nowhere, which leaves the plug-in's own work.
        std::vector<double> micros, self;
        double glCalls = 0, allocations = 0;
        for (GlDispatch dispatch : {GlDispatch::Driver, GlDispatch::Null}) {
            Session session(plan.session, in.flight, events);
            session.start();
            for (int k = 0; k < plan.benchFrames && !Interrupted(); ++k) {
                FrameStats s = session.frame(plan.from + k / plan.fps, dispatch);
                if (dispatch == GlDispatch::Null) {
                    self.push_back(s.drawMicros);
                } else {
                    micros.push_back(s.drawMicros);
                    glCalls += double(s.glCalls);
                    allocations += double(s.allocations);
                }
                progress.step();
            }
            code = std::max(code, ReportFailures(session.finish()));
        }
        // An interrupted bench prints no figures: they would be of fewer frames.
        if (Interrupted()) break;
        const size_t n = micros.size();
        // Without interposition (Windows) neither the calls nor the null
        // dispatch reach the plug-in's GL, so both figures would be false.
        const bool counted = counting::GlCallsCounted();
        char selfUs[32] = "n/a";
        if (counted) std::snprintf(selfUs, sizeof selfUs, "%.1f", Median(self));
        std::printf("panel=%s frames=%d median_us=%.1f p99_us=%.1f self_us=%s gl_calls=%s allocs=%s\n",
                    panel, plan.benchFrames, Median(micros), Percentile(micros, 0.99), selfUs,
                    counted ? Figure(glCalls / double(n)).c_str() : "n/a",
                    counting::AllocationsCounted() ? Figure(allocations / double(n)).c_str() : "n/a");
        std::fflush(stdout);
    }
    return code;
}

}  // namespace sim
