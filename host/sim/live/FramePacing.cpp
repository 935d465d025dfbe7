#include "FramePacing.h"

#include <algorithm>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#endif

namespace sim::live {

FramePacer::FramePacer(XPlaneLink &link, double fps)
    : link_(link), frame_(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / fps)))
{
#ifdef _WIN32
    // Waits for datagrams and frames shorter than the default 15.6 ms tick.
    timeBeginPeriod(1);
#endif
}

FramePacer::~FramePacer()
{
#ifdef _WIN32
    timeEndPeriod(1);
#endif
}

void FramePacer::waitForFrame(Clock::time_point begun)
{
    const Clock::time_point due = begun + (following_ ? frame_ + frame_ / 2 : frame_);
    const Clock::time_point early = std::min(due, shownAt_ + frame_ / 2);
    // Each round takes what waits, then sleeps until a datagram comes or the
    // time to draw; a flood still ends at `due`, as poll() reads a bounded number.
    for (;;) {
        link_.poll();
        const Clock::time_point now = Clock::now();
        following_ = link_.counts().datagrams != taken_;
        if (now >= due || (following_ && now >= early)) return;
        if (following_)
            std::this_thread::sleep_until(early);
        else
            link_.wait(std::chrono::duration<double>(due - now).count());
    }
}

}  // namespace sim::live
