// --at T --png FILE: the one frame drawn at elapsed time T.

#include <iostream>

#include "Modes.h"
#include "host/OffscreenGL.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace sim {

int RunAt(const Plan &plan)
{
    Input in = LoadInput(plan);
    const double at = *plan.at;
    if (in.flight.duration > 0 && at > in.flight.duration)
        std::cerr << "flyer-sim: warning: --at " << at << " is after the end of the flight at "
                  << in.flight.duration << " s: the frame shows its last values\n";
    if (plan.warnLateEvents) WarnOfLateEvents(in.events, at);
    const auto gl = OpenOffscreenGL(plan);
    Session session(plan.session, in.flight, in.events);
    session.start();
    // The frames before it, so events and the splash fall as they would
    // (at most kMaxRunSeconds x kMaxFps of them: an int).
    for (int k = 0; k / plan.fps < at - 1e-9; ++k) {
        if (Interrupted()) return ReportFailures(session.finish());
        session.skip(k / plan.fps);
    }
    session.frame(at);
    Image frame = session.capture();
    const std::optional<PixelBox> panel = session.windowsBox();
    int code = ReportFailures(session.finish());
    if (plan.pngCroppedToPanel && panel) frame = frame.cropped(*panel);
    WritePng(plan.png, frame);
    std::cout << "flyer-sim: wrote " << plan.png << " (t=" << at << " s)\n";
    return code;
}

}  // namespace sim
