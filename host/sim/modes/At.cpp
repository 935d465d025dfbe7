// --at T --png FILE: the one frame drawn at elapsed time T.

#include <iostream>

#include "Modes.h"
#include "host/OffscreenGL.h"
#include "session/Session.h"

namespace sim {

int RunAt(const Options &opts)
{
    Input in = LoadInput(opts);
    const double at = *opts.at;
    host::OffscreenGL gl(opts.screenWidth, opts.screenHeight);
    Session session(opts, in.flight, in.events);
    session.start();
    // The frames before it, so events and the splash fall as they would.
    for (int k = 0; k / opts.fps < at - 1e-9; ++k) session.skip(k / opts.fps);
    session.frame(at);
    Image frame = session.capture();
    const std::optional<PixelBox> panel = session.windowsBox();
    int code = ReportFailures(session.finish());
    if (opts.pngCroppedToPanel && panel) frame = frame.cropped(*panel);
    WritePng(opts.png, frame);
    std::cout << "flyer-sim: wrote " << opts.png << " (t=" << at << " s)\n";
    return code;
}

}  // namespace sim
