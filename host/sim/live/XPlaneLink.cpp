#include "XPlaneLink.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace sim::live {

namespace {

using namespace std::chrono_literals;

// At most this many datagrams per socket and poll, so a flood cannot hold a
// frame; the rest wait for the next poll.
constexpr int kReadsPerPoll = 256;
// While X-Plane is silent, ask again this often: a restarted X-Plane has
// forgotten every subscription.
constexpr auto kAskAgain = 1s;
// Without an address, say once when no master X-Plane has been found by then.
constexpr auto kNotFoundYet = 5s;

// Reads what is waiting on `socket`, at most kReadsPerPoll datagrams, and
// hands each to `take` (data, size, sender, arrival); one too long for a
// datagram of X-Plane's comes as size 0, which no parser accepts.
template <class Take>
void ReadDatagrams(UdpSocket &socket, std::chrono::steady_clock::time_point *arrived, Take take)
{
    std::array<uint8_t, kMaxDatagram + 1> buffer;
    for (int i = 0; i < kReadsPerPoll; ++i) {
        size_t size = 0;
        Endpoint from;
        const auto r = socket.receive(buffer.data(), buffer.size(), size, from, arrived);
        if (r == UdpSocket::Received::Nothing) return;
        if (r == UdpSocket::Received::Error) continue;
        if (r == UdpSocket::Received::TooLong) size = 0;
        take(buffer.data(), size, from, arrived ? *arrived : std::chrono::steady_clock::time_point{});
    }
}

std::string Seconds(std::chrono::steady_clock::duration d)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", std::chrono::duration<double>(d).count());
    return text;
}

std::string TimeOfDay(std::chrono::system_clock::time_point t)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

std::string Describe(const Beacon &b, const Endpoint &at)
{
    const char *what = b.application == Beacon::PlaneMaker ? "PlaneMaker " : "X-Plane ";
    return what + VersionText(b.version) + " on \"" + b.computer + "\" at " + at.text();
}

const char *RoleName(uint32_t role)
{
    switch (role) {
    case Beacon::Master: return "master";
    case Beacon::ExternalVisual: return "external visual";
    case Beacon::Ios: return "instructor station";
    default: return "unknown role";
    }
}

}  // namespace

std::vector<LiveElement> LiveElements(const host::PublishedDataref *list, size_t count)
{
    std::vector<LiveElement> out;
    for (size_t i = 0; i < count; ++i) {
        const host::PublishedDataref &d = list[i];
        if (d.type != host::DataType::FloatArray) {
            out.push_back({i, -1, d.name});
            continue;
        }
        for (int e = 0; e < d.size && e < kArrayElementsAsked; ++e)
            out.push_back({i, e, std::string(d.name) + "[" + std::to_string(e) + "]"});
    }
    return out;
}

int ToInt(float value)
{
    if (!std::isfinite(value) || value >= 2147483647.0f || value <= -2147483648.0f) return 0;
    return int(std::lround(value));
}

XPlaneLink::XPlaneLink(const LinkOptions &options, Sink sink, const host::PublishedDataref *list, size_t count)
    : sink_(std::move(sink)),
      elements_(LiveElements(list, count)),
      values_(elements_.size()),
      client_(UdpSocket::client())
{
    if (!std::isfinite(options.rate) || options.rate <= 0)
        throw std::invalid_argument("the rate must be a positive number of times a second");
    if (!std::isfinite(options.silence) || options.silence <= 0)
        throw std::invalid_argument("the silence must be a positive number of seconds");
    frequency_ = int(std::lround(std::min(options.rate, 1000.0)));
    if (frequency_ < 1) frequency_ = 1;
    // At a slow rate, values a second apart are no silence: wait for two and
    // a half intervals at least.
    const double silence = std::max(options.silence, 2.5 / frequency_);
    silence_ = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(silence));
    for (const LiveElement &e : elements_)
        if (!BuildRrefRequest(0, 0, e.name))
            throw std::invalid_argument("dataref name too long for a request: " + e.name);
    started_ = Clock::now();

    if (!options.address.empty()) {
        target_ = net::ResolveEndpoint(options.address, kDefaultXPlanePort);
        targetName_ = "X-Plane at " + target_->text();
        subscribe(started_);
        return;
    }
    beacons_ = UdpSocket::multicastListener(options.beaconPort, kBeaconGroup);
    say(LinkMessage::Kind::Waiting, "waiting for X-Plane's beacon (UDP port " + std::to_string(options.beaconPort) +
                                        ", group " + kBeaconGroup + ", " +
                                        std::to_string(beacons_->joined().size()) + " interfaces)");
}

XPlaneLink::~XPlaneLink()
{
    try {
        close();
    } catch (...) {
        // A sink that throws must not end the program from a destructor.
    }
}

void XPlaneLink::say(LinkMessage::Kind kind, std::string text)
{
    if (sink_) sink_(LinkMessage{kind, std::move(text)});
}

void XPlaneLink::close()
{
    if (closed_) return;
    closed_ = true;
    beacons_.reset();
    std::string where;
    for (const Endpoint &at : asked_) {
        ask(0, at);
        where += (where.empty() ? "" : ", ") + at.text();
    }
    if (!asked_.empty())
        say(LinkMessage::Kind::Cancelled,
            "cancelled the " + std::to_string(elements_.size()) + " subscriptions at " + where);
}

void XPlaneLink::ask(int32_t frequency, const Endpoint &to)
{
    for (size_t i = 0; i < elements_.size(); ++i) {
        const auto request = BuildRrefRequest(frequency, int32_t(i), elements_[i].name);
        if (request && !client_.send(to, request->data(), request->size()) && !toldSendFailed_) {
            toldSendFailed_ = true;
            say(LinkMessage::Kind::Problem, "cannot send to X-Plane at " + to.text());
        }
    }
}

void XPlaneLink::subscribe(Clock::time_point now)
{
    ask(frequency_, *target_);
    asked_.insert(*target_);
    asking_ = now;
    if (!everHeard_ && !silent_) heard_ = now;  // a silence counts from the first request
    if (asked_.size() == 1 && !everHeard_ && !silent_)
        say(LinkMessage::Kind::Asking, "asking " + targetName_ + " for " + std::to_string(elements_.size()) +
                                           " values, " + std::to_string(frequency_) + " times a second");
}

void XPlaneLink::poll()
{
    if (closed_) return;
    const Clock::time_point now = Clock::now();
    if (beacons_) readBeacons(now);
    readValues(now);
    keepTime(now);
}

bool XPlaneLink::wait(double seconds)
{
    if (closed_ || !(seconds > 0)) return false;
    const int ms = int(std::min(seconds, 60.0) * 1000);
    return net::WaitReadable({&client_, beacons_ ? &*beacons_ : nullptr}, ms);
}

void XPlaneLink::takeArrivals(std::vector<Clock::time_point> &into)
{
    into.clear();
    into.swap(arrivals_);
}

void XPlaneLink::readBeacons(Clock::time_point now)
{
    ReadDatagrams(*beacons_, nullptr, [&](const uint8_t *data, size_t size, const Endpoint &from, Clock::time_point) {
        if (const auto b = ParseBeacon(data, size))
            beacon(*b, from.address, now);
        else
            malformed("beacon from " + from.text());
    });
}

void XPlaneLink::beacon(const Beacon &b, uint32_t from, Clock::time_point now)
{
    const Endpoint at{from, b.port};
    const bool master = b.application == Beacon::XPlane && b.role == Beacon::Master;
    if (target_ && at == *target_) return;
    if (!target_ && master) {
        target_ = at;
        targetName_ = Describe(b, at);
        say(LinkMessage::Kind::Found, "found " + targetName_);
        subscribe(now);
        return;
    }
    // X-Plane restarted on another port of the same computer: its old port
    // has gone quiet. (While values flow, a second X-Plane there is only named.)
    if (target_ && master && silent_ && from == target_->address) {
        target_ = at;
        targetName_ = Describe(b, at);
        subscribe(now);
        say(LinkMessage::Kind::Back, targetName_ + " is back on a new port; asked it again");
        return;
    }
    if (named_.insert(at).second) {
        std::string why = !master ? std::string(b.application == Beacon::XPlane ? RoleName(b.role) : "not X-Plane")
                                  : "another master";
        say(LinkMessage::Kind::Other, "also seen: " + Describe(b, at) + " (" + why + "; not used)");
    }
}

void XPlaneLink::readValues(Clock::time_point now)
{
    Clock::time_point arrived;
    ReadDatagrams(client_, &arrived, [&](const uint8_t *data, size_t size, const Endpoint &from, Clock::time_point at) {
        if (const auto v = ParseRrefValues(data, size))
            values(*v, now, at);
        else
            malformed("datagram from " + from.text());
    });
}

void XPlaneLink::values(const RrefValues &v, Clock::time_point now, Clock::time_point arrived)
{
    ++counts_.datagrams;
    bool taken = false;
    for (size_t i = 0; i < v.size(); ++i) {
        const RrefValue pair = v[i];
        if (pair.index < 0 || size_t(pair.index) >= values_.size()) {
            if (counts_.unknown++ == 0)
                say(LinkMessage::Kind::UnknownIndex,
                    "ignoring values for indices never asked (first: " + std::to_string(pair.index) + "; counted)");
            continue;
        }
        values_[size_t(pair.index)] = {pair.value, true};
        ++counts_.values;
        taken = true;
    }
    if (!taken) return;
    if (arrivals_.size() < kArrivalsKept) arrivals_.push_back(arrived);
    if (!everHeard_) {
        everHeard_ = true;
        say(LinkMessage::Kind::Receiving, "receiving values from " + targetName_);
    } else if (silent_) {
        say(LinkMessage::Kind::Back, "values from " + targetName_ + " again after " + Seconds(now - heard_));
    }
    silent_ = false;
    heard_ = now;
    heardWall_ = std::chrono::system_clock::now();
}

void XPlaneLink::malformed(const std::string &what)
{
    if (counts_.malformed++ == 0)
        say(LinkMessage::Kind::Malformed, "ignoring datagrams that are not X-Plane's (first: " + what + "; counted)");
}

void XPlaneLink::keepTime(Clock::time_point now)
{
    if (!target_) {
        if (!toldNotFound_ && now - started_ >= kNotFoundYet) {
            toldNotFound_ = true;
            say(LinkMessage::Kind::Waiting, "no master X-Plane found yet: is it running on this network? "
                                            "Give its address to ask it directly");
        }
        return;
    }
    if (now - heard_ < silence_) return;
    if (!silent_) {
        silent_ = true;
        if (everHeard_)
            say(LinkMessage::Kind::Silent, "no data from " + targetName_ + " since " + TimeOfDay(heardWall_) +
                                               "; keeping the last values, asking again every second");
        else
            say(LinkMessage::Kind::Silent, "no data from " + targetName_ + " yet; is UDP port " +
                                               std::to_string(target_->port) + " open? Asking again every second");
    }
    if (now - asking_ >= kAskAgain) subscribe(now);
}

}  // namespace sim::live
