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
// Frames follow the data: X-Plane sends the values at the run's frame rate,
// and once half a frame's time has passed since the last frame, new values
// are drawn as soon as they come, so a frame shows values a few milliseconds
// old rather than up to a frame's time. While values come, a frame waits for
// them up to one and a half frame times; without values, frames keep to --fps.
//
// The view type stays the run's own (--view, the window's V key), so the
// panel shows on the second screen whatever view the pilot flies in; what
// --set and --missing fix stays fixed. The link's news (X-Plane found, a
// silence, X-Plane back, bad datagrams) is printed as it happens; finish()
// cancels every subscription and prints the run's figures (below), as does
// the destructor, without figures, on any other way out.
//
//   flyer-sim: live: frames=.. seconds=.. datagrams=.. values=.. malformed=..
//     unknown=.. delay_ms_median=.. delay_ms_p99=.. delay_ms_max=.. cpu_s_per_s=..
//
// delay: from a datagram's arrival (the system's stamp where it keeps one) to
// the moment the first frame showing its values is on the screen; cpu: the
// process's CPU time (every thread, the driver's included) per second of the
// frame loop.

#include <chrono>
#include <memory>
#include <vector>

#include "cli/Options.h"
#include "host/PublishedDatarefs.h"
#include "live/XPlaneLink.h"

namespace sim {

class Session;

class LiveFeed {
public:
    using Clock = std::chrono::steady_clock;
    // Opens the link: asks the X-Plane at opts.liveAddress, or listens for a
    // beacon. An address that is no address is a UsageError.
    explicit LiveFeed(const Options &opts);
    ~LiveFeed();
    LiveFeed(const LiveFeed &) = delete;
    LiveFeed &operator=(const LiveFeed &) = delete;

    // The session the values go to, once it has started.
    void attach(Session &session);
    void publish();
    void shown();
    // Reads datagrams until the next frame is due, counted from when the
    // last one began (`begun`): when new values have come and half a frame's
    // time has passed since it was shown, or a frame's time after it began
    // (one and a half while values come). Returns at once if that has passed.
    void waitForFrame(Clock::time_point begun);
    // Cancels every subscription and prints the figures of `seconds` of frames.
    void finish(double seconds);

private:
    std::vector<host::PublishedDataref> asked_;  // the host's list less the view type
    std::vector<const host::PublishedDataref *> askedInHost_;
    std::unique_ptr<live::XPlaneLink> link_;
    Session *session_ = nullptr;
    std::vector<bool> driven_;
    Clock::duration frame_;
    Clock::time_point shownAt_;
    bool following_ = false;  // the last frame came with new values
    uint64_t datagramsPublished_ = 0;
    std::vector<Clock::time_point> pending_;  // arrivals of the datagrams in the frame being shown
    std::vector<float> delays_;               // milliseconds, the latest kDelaysKept
    size_t nextDelay_ = 0;
    double maxDelay_ = 0;
    uint64_t frames_ = 0;
    double cpuAtStart_ = 0;
};

// The process's CPU time so far, in seconds, every thread included.
double ProcessCpuSeconds();

}  // namespace sim

#endif
