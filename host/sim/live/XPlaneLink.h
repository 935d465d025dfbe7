#ifndef OSTREL_SIM_LIVE_XPLANELINK_H
#define OSTREL_SIM_LIVE_XPLANELINK_H
// The live link: values of a running X-Plane, asked for over its UDP
// interface, for flyer-sim to publish into the host each frame.
//
// How flyer-sim uses it:
//
//   sim::live::XPlaneLink link({address, fps}, [](const LinkMessage &m) { print(m.text); });
//   while (running) {
//       link.poll();                                   // never blocks
//       for (size_t i = 0; i < link.elements().size(); ++i) {
//           const LiveElement &e = link.elements()[i];
//           if (link.values()[i].received)             // else keep the host's value
//               publish(host::kPublishedDatarefs[e.dataref], e.element, link.values()[i].value);
//       }
//       run the plug-in's frame;
//   }
//   link.close();                                      // or let the destructor do it
//
// - The constructor opens the sockets (it throws std::runtime_error when it
//   cannot) and, given an address, asks for every value at once; without one
//   it listens for beacons and asks the first master X-Plane that sends one.
// - elements() is fixed for the link's life: the host's list of published
//   datarefs in its order, each array as its first kArrayElementsAsked
//   elements. values() runs parallel to it and keeps the latest value of
//   each (the last one through a silence). Every value comes as a float, ints
//   included: ToInt() turns one into an int without undefined behaviour;
//   float values, NaN and infinities included, pass as they come.
// - Messages (what was found, a silence, X-Plane back, bad datagrams) go to
//   the sink as they happen, each kind of trouble once; counts() keeps the
//   numbers.
// - close() cancels every subscription (frequency 0) at every X-Plane port it
//   ever asked; the destructor calls it, so every way out of flyer-sim that
//   unwinds cancels too. A program that may stop on a signal should end its
//   loop and let the link close.
// - wait() blocks at most the given time for the next datagram, for a caller
//   with nothing else to do between frames.
// - takeArrivals() tells when the datagrams of values taken since its last
//   call arrived, for the delay to the frame that shows them.

#include <chrono>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Datagrams.h"
#include "UdpSocket.h"
#include "host/PublishedDatarefs.h"

namespace sim::live {

using net::Endpoint;
using net::kLoopbackAddress;
using net::UdpSocket;

// One value asked of X-Plane: a scalar dataref of the host's list, or one
// element of an array one.
struct LiveElement {
    size_t dataref;    // position in the host's list
    int element;       // the array element, or -1 for a scalar
    std::string name;  // as asked: "name" or "name[i]"
};
// Arrays: the elements the panel reads (the gear's three legs).
inline constexpr int kArrayElementsAsked = 3;
std::vector<LiveElement> LiveElements(const host::PublishedDataref *list, size_t count);

// An int dataref's value, which X-Plane sends as a float: rounded, with
// non-finite and out-of-range values as 0.
int ToInt(float value);

struct LinkOptions {
    std::string address;  // "HOST[:PORT]"; empty: find X-Plane by its beacon
    double rate = 30;     // times a second X-Plane sends each value (rounded, at least 1)
    uint16_t beaconPort = kBeaconPort;
    double silence = 1.0;  // seconds without values that make a silence (at least 2.5 intervals of the rate)
};

struct LinkMessage {
    enum class Kind {
        Waiting,       // listening for beacons
        Found,         // the X-Plane the link asks
        Other,         // another X-Plane (or PlaneMaker) seen and not used
        Asking,        // subscriptions sent
        Receiving,     // the first values
        Silent,        // no values for a while; the last ones stay
        Back,          // X-Plane answers again, or restarted on a new port and was asked again
        Malformed,     // the first datagram that is not what the interface sends
        UnknownIndex,  // the first value for an index the link never asked
        Problem,       // the system refused to send
        Cancelled,     // every subscription cancelled
    };
    Kind kind;
    std::string text;
};

class XPlaneLink {
public:
    using Sink = std::function<void(const LinkMessage &)>;
    struct Counts {
        uint64_t datagrams = 0;  // datagrams of values
        uint64_t values = 0;     // values taken
        uint64_t malformed = 0;  // datagrams refused
        uint64_t unknown = 0;    // values for indices never asked
    };
    struct LatestValue {
        float value = 0;
        bool received = false;
    };

    XPlaneLink(const LinkOptions &options, Sink sink, const host::PublishedDataref *list = host::kPublishedDatarefs,
               size_t count = std::size(host::kPublishedDatarefs));
    ~XPlaneLink();
    XPlaneLink(const XPlaneLink &) = delete;
    XPlaneLink &operator=(const XPlaneLink &) = delete;

    // Takes every datagram waiting (a bounded number), then keeps time:
    // silences, asking again. Never blocks.
    void poll();
    // Blocks at most `seconds` until a datagram waits; true when one does.
    bool wait(double seconds);
    // Cancels every subscription; afterwards poll() does nothing. Once only.
    void close();
    // Moves into `into` (cleared first) when each datagram of values taken
    // since the last call arrived, oldest first: the system's stamp where it
    // keeps one, else when poll() read it. At most kArrivalsKept between calls.
    void takeArrivals(std::vector<std::chrono::steady_clock::time_point> &into);
    static constexpr size_t kArrivalsKept = 4096;

    const std::vector<LiveElement> &elements() const { return elements_; }
    const std::vector<LatestValue> &values() const { return values_; }
    const Counts &counts() const { return counts_; }
    // The X-Plane asked, once known.
    std::optional<Endpoint> xplane() const { return target_; }
    bool silent() const { return silent_; }
    int frequency() const { return frequency_; }

private:
    using Clock = std::chrono::steady_clock;
    void say(LinkMessage::Kind kind, std::string text);
    void readBeacons(Clock::time_point now);
    void beacon(const Beacon &b, uint32_t from, Clock::time_point now);
    void readValues(Clock::time_point now);
    void values(const RrefValues &v, Clock::time_point now, Clock::time_point arrived);
    void malformed(const std::string &what);
    void ask(int32_t frequency, const Endpoint &to);
    void subscribe(Clock::time_point now);
    void keepTime(Clock::time_point now);

    Sink sink_;
    std::vector<LiveElement> elements_;
    std::vector<LatestValue> values_;
    Counts counts_;
    std::vector<Clock::time_point> arrivals_;
    int frequency_;
    Clock::duration silence_;
    UdpSocket client_;
    std::optional<UdpSocket> beacons_;
    std::optional<Endpoint> target_;
    std::string targetName_;
    std::set<Endpoint> asked_;  // every X-Plane port subscribed at, cancelled on close
    std::set<Endpoint> named_;  // other X-Planes already named
    Clock::time_point started_, heard_, asking_;
    std::chrono::system_clock::time_point heardWall_;
    bool everHeard_ = false, silent_ = false, closed_ = false, toldNotFound_ = false, toldSendFailed_ = false;
};

}  // namespace sim::live

#endif
