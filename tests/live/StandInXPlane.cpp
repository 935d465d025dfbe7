#include "StandInXPlane.h"

#include <array>

namespace sim::live {

using Clock = std::chrono::steady_clock;

StandInXPlane::StandInXPlane(Options options)
    : options_(std::move(options)),
      socket_(UdpSocket::bound({kLoopbackAddress, 0})),
      multicast_(UdpSocket::multicastSender(kLoopbackAddress, 0)),
      nextBeacon_(Clock::now())
{
    thread_ = std::thread([this] { run(); });
}

StandInXPlane::~StandInXPlane()
{
    stop_ = true;
    thread_.join();
}

void StandInXPlane::run()
{
    const Clock::time_point end = Clock::now() + std::chrono::minutes(1);
    while (!stop_ && Clock::now() < end) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            step(Clock::now());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void StandInXPlane::step(Clock::time_point now)
{
    std::array<uint8_t, kMaxDatagram + 1> buffer;
    for (int i = 0; i < 1000; ++i) {
        size_t size = 0;
        Endpoint from;
        const auto r = socket_.receive(buffer.data(), buffer.size(), size, from);
        if (r == UdpSocket::Received::Nothing) break;
        if (r != UdpSocket::Received::Datagram) continue;
        const auto ask = ParseRrefRequest(buffer.data(), size);
        if (!ask) continue;
        requests_.push_back({*ask, from});
        client_ = from;
        if (ask->frequency <= 0)
            subscriptions_.erase(ask->index);
        else
            subscriptions_[ask->index] = {{*ask, from}, now};
    }

    if (options_.beaconPort && now >= nextBeacon_) {
        Beacon b;
        b.minor = options_.beaconMinor;
        b.application = options_.application;
        b.version = 121000;
        b.role = options_.role;
        b.port = socket_.local().port;
        b.computer = options_.computer;
        const std::string bytes = BuildBeacon(b);
        multicast_.send({net::Ipv4Address(kBeaconGroup), options_.beaconPort}, bytes.data(), bytes.size());
        nextBeacon_ = now + options_.beaconEvery;
    }

    if (silent_) return;
    // One datagram per client with every value due, as X-Plane packs them.
    std::map<Endpoint, std::vector<RrefValue>> due;
    for (auto &[index, s] : subscriptions_) {
        if (now < s.due) continue;
        s.due = std::max(s.due + std::chrono::microseconds(1000000 / s.request.ask.frequency), now);
        const auto value = values_.find(s.request.ask.name);
        if (value != values_.end()) due[s.request.from].push_back({index, value->second});
    }
    for (const auto &[to, values] : due) {
        const std::string bytes = BuildRrefValues(values.data(), values.size());
        if (socket_.send(to, bytes.data(), bytes.size())) ++sent_;
    }
}

Endpoint StandInXPlane::endpoint() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return socket_.local();
}

void StandInXPlane::set(const std::string &name, float value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    values_[name] = value;
}

void StandInXPlane::fallSilent(bool silent)
{
    std::lock_guard<std::mutex> lock(mutex_);
    silent_ = silent;
}

void StandInXPlane::restart(bool newPort)
{
    std::lock_guard<std::mutex> lock(mutex_);
    subscriptions_.clear();
    // The new socket opens before the old one closes, so its port differs.
    if (newPort) socket_ = UdpSocket::bound({kLoopbackAddress, 0});
}

void StandInXPlane::sendToClient(const std::string &bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (client_) socket_.send(*client_, bytes.data(), bytes.size());
}

void StandInXPlane::sendToBeaconPort(const std::string &bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    multicast_.send({net::Ipv4Address(kBeaconGroup), options_.beaconPort}, bytes.data(), bytes.size());
}

std::vector<StandInXPlane::Request> StandInXPlane::requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::map<int32_t, StandInXPlane::Request> StandInXPlane::subscriptions() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::map<int32_t, Request> out;
    for (const auto &[index, s] : subscriptions_) out[index] = s.request;
    return out;
}

int StandInXPlane::valueDatagramsSent() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sent_;
}

uint16_t FreeUdpPort() { return UdpSocket::bound({kLoopbackAddress, 0}).local().port; }

}  // namespace sim::live
