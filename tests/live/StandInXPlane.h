#ifndef OSTREL_TESTS_LIVE_STANDINXPLANE_H
#define OSTREL_TESTS_LIVE_STANDINXPLANE_H
// An X-Plane for the live link's tests, speaking its UDP interface on
// 127.0.0.1 only: it answers subscriptions at the rate asked with the values
// the test sets, records every request, and multicasts its beacon out of the
// loopback interface only (time-to-live 0). A thread of its own does the
// work, a millisecond at a time, until the stand-in is destroyed or a minute
// has passed.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Datagrams.h"
#include "UdpSocket.h"

namespace sim::live {

using net::Endpoint;
using net::kLoopbackAddress;
using net::UdpSocket;

class StandInXPlane {
public:
    struct Options {
        std::string computer = "stand-in";
        uint32_t role = Beacon::Master;
        int32_t application = Beacon::XPlane;
        int beaconMinor = 2;
        uint16_t beaconPort = 0;  // 0: no beacons
        std::chrono::milliseconds beaconEvery{100};
    };
    struct Request {
        RrefAsk ask;
        Endpoint from;
    };

    explicit StandInXPlane(Options options);
    ~StandInXPlane();
    StandInXPlane(const StandInXPlane &) = delete;
    StandInXPlane &operator=(const StandInXPlane &) = delete;

    Endpoint endpoint() const;  // 127.0.0.1 and its UDP port
    // Sent for every subscription to `name` from now on; names never set get
    // nothing, as names X-Plane does not know.
    void set(const std::string &name, float value);
    // Stops (or resumes) sending values; requests and beacons go on.
    void fallSilent(bool silent);
    // Forgets every subscription, as X-Plane does when it restarts; on a new
    // port when asked (the old one closes and the beacon names the new one).
    void restart(bool newPort);
    // One datagram of any bytes to the client that asked last, or as a
    // multicast to the beacon port.
    void sendToClient(const std::string &bytes);
    void sendToBeaconPort(const std::string &bytes);

    std::vector<Request> requests() const;  // every request, in order
    // Live subscriptions by index (frequency above 0).
    std::map<int32_t, Request> subscriptions() const;
    int valueDatagramsSent() const;

private:
    struct Subscription {
        Request request;
        std::chrono::steady_clock::time_point due;
    };
    void run();
    void step(std::chrono::steady_clock::time_point now);

    Options options_;
    mutable std::mutex mutex_;
    UdpSocket socket_;
    UdpSocket multicast_;
    std::map<std::string, float> values_;
    std::vector<Request> requests_;
    std::map<int32_t, Subscription> subscriptions_;
    std::optional<Endpoint> client_;
    bool silent_ = false;
    int sent_ = 0;
    std::chrono::steady_clock::time_point nextBeacon_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A UDP port that was free a moment ago, for a test's own beacon port (so
// tests running side by side never hear each other's beacons).
uint16_t FreeUdpPort();

}  // namespace sim::live

#endif
