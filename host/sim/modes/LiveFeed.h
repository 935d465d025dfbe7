#ifndef OSTREL_SIM_MODES_LIVEFEED_H
#define OSTREL_SIM_MODES_LIVEFEED_H
// --live's values: the link to a running X-Plane (live/XPlaneLink.h) feeding
// a session in place of a flight. The frame loop calls, each frame:
//
//   feed.publish();          the latest values into the host's datarefs
//   session.frame(t);        the plug-in's frame, as a replay runs it
//   ...show the frame...
//   feed.shown();            how long each datagram in it waited
//   feed.waitForFrame(begun); reads datagrams as they come until the next frame
//
// Frames follow the data (live/FramePacing.h). The view type stays the
// run's own (--view, the window's V key), so the panel shows on the second
// screen whatever view the pilot flies in; what --set and --missing fix
// stays fixed. The link's news (X-Plane found, a silence, X-Plane back, bad
// datagrams) is printed as it happens; finish() cancels every subscription
// and prints the run's figures (figures/LiveFigures.h), as does the
// destructor, without figures, on any other way out:
//
//   flyer-sim: live: frames=.. seconds=.. datagrams=.. values=.. malformed=..
//     unknown=.. delay_ms_median=.. delay_ms_p99=.. delay_ms_max=.. cpu_s_per_s=..

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "figures/LiveFigures.h"
#include "flights/Flight.h"
#include "host/PublishedDatarefs.h"
#include "live/FramePacing.h"
#include "live/XPlaneLink.h"

namespace sim {

struct Plan;
class Session;

// The flight of a live run: no tracks; everything it shows comes from the feed.
Flight LiveFlight();

class LiveFeed {
public:
    using Clock = std::chrono::steady_clock;
    // Opens the link: asks the X-Plane at plan.liveAddress, or listens for a
    // beacon. An address that is no address is a UsageError.
    explicit LiveFeed(const Plan &plan);
    ~LiveFeed();
    LiveFeed(const LiveFeed &) = delete;
    LiveFeed &operator=(const LiveFeed &) = delete;

    // The session the values go to, once it has started.
    void attach(Session &session);
    void publish();
    void shown();
    void waitForFrame(Clock::time_point begun) { pacer_->waitForFrame(begun); }
    // When the newest datagram of the frame being drawn arrived; `otherwise`
    // when none came since the last frame.
    Clock::time_point newestArrival(Clock::time_point otherwise) const
    {
        return pending_.empty() ? otherwise : pending_.back();
    }
    // What the link last said of X-Plane (waiting, found, receiving, silent,
    // back), for a status line.
    const std::string &status() const { return status_; }
    // Cancels every subscription and prints the figures of `seconds` of frames.
    void finish(double seconds);

private:
    std::vector<host::PublishedDataref> asked_;  // the host's list less the view type
    std::vector<const host::PublishedDataref *> askedInHost_;
    std::unique_ptr<live::XPlaneLink> link_;
    std::unique_ptr<live::FramePacer> pacer_;
    Session *session_ = nullptr;
    std::vector<bool> driven_;
    std::vector<Clock::time_point> pending_;  // arrivals of the datagrams in the frame being shown
    std::string status_;
    LiveFigures figures_;
};

}  // namespace sim

#endif
