#ifndef OSTREL_SIM_LIVE_FRAMEPACING_H
#define OSTREL_SIM_LIVE_FRAMEPACING_H
// When the next frame of a live run is due. Frames follow the data: X-Plane
// sends the values at the run's frame rate, and once half a frame's time has
// passed since the last frame was shown, new values are drawn as soon as
// they come, so a frame shows values a few milliseconds old rather than up
// to a frame's time. While values come, a frame waits for them up to one and
// a half frame times; without values, frames keep to the frame rate.

#include <chrono>
#include <cstdint>

#include "XPlaneLink.h"

namespace sim::live {

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;
    FramePacer(XPlaneLink &link, double fps);
    ~FramePacer();
    FramePacer(const FramePacer &) = delete;
    FramePacer &operator=(const FramePacer &) = delete;

    // The link's values were taken into the frame being drawn.
    void taken() { taken_ = link_.counts().datagrams; }
    // The frame is on the screen.
    void shown() { shownAt_ = Clock::now(); }
    // Reads datagrams until the next frame is due, counted from when the
    // last one began (`begun`): when new values have come and half a frame's
    // time has passed since it was shown, or a frame's time after it began
    // (one and a half while values come). Returns at once if that has passed.
    void waitForFrame(Clock::time_point begun);

private:
    XPlaneLink &link_;
    Clock::duration frame_;
    Clock::time_point shownAt_;
    uint64_t taken_ = 0;      // the link's datagram count when values were last taken
    bool following_ = false;  // the last frame came with new values
};

}  // namespace sim::live

#endif
