// The live link against the stand-in X-Plane, over 127.0.0.1: discovery by
// beacon, subscriptions and their cancelling, a silence and the recovery,
// garbage datagrams. Each test beacons on a port of its own, except the one
// that checks the beacon port itself is shared.

#include <chrono>
#include <cmath>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "StandInXPlane.h"
#include "XPlaneLink.h"

namespace sim::live {
namespace {

using Kind = LinkMessage::Kind;
using Clock = std::chrono::steady_clock;

struct Heard {
    std::vector<LinkMessage> messages;
    XPlaneLink::Sink sink()
    {
        return [this](const LinkMessage &m) { messages.push_back(m); };
    }
    int count(Kind kind) const
    {
        int n = 0;
        for (const LinkMessage &m : messages) n += m.kind == kind;
        return n;
    }
    std::string text(Kind kind) const
    {
        std::string all;
        for (const LinkMessage &m : messages)
            if (m.kind == kind) all += m.text + "\n";
        return all;
    }
};

// Polls until `done` holds: at most `seconds` and 10000 rounds.
template <class Done>
bool PollUntil(XPlaneLink &link, Done done, double seconds = 10)
{
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (int i = 0; i < 10000 && Clock::now() < end; ++i) {
        link.poll();
        if (done()) return true;
        link.wait(0.005);
    }
    return done();
}
void PollFor(XPlaneLink &link, double seconds)
{
    PollUntil(link, [] { return false; }, seconds);
}
// Waits (without a link) until `done` holds: at most 10 s.
template <class Done>
bool WaitUntil(Done done)
{
    for (int i = 0; i < 2000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}

size_t ElementOf(const XPlaneLink &link, const std::string &name)
{
    for (size_t i = 0; i < link.elements().size(); ++i)
        if (link.elements()[i].name == name) return i;
    ADD_FAILURE() << "no element " << name;
    return 0;
}
bool Holds(const XPlaneLink &link, const std::string &name, float value)
{
    const auto &v = link.values()[ElementOf(link, name)];
    return v.received && v.value == value;
}

const std::string kAirspeed = host::DatarefName("Airspeed");
const std::string kGear1 = std::string(host::DatarefName("Gear")) + "[1]";

StandInXPlane::Options Beaconing(const std::string &computer, uint16_t port, uint32_t role = Beacon::Master,
                                 int minor = 2)
{
    StandInXPlane::Options o;
    o.computer = computer;
    o.role = role;
    o.beaconMinor = minor;
    o.beaconPort = port;
    return o;
}

TEST(LiveLink, DiscoversTheFirstMasterAndNamesTheOthers)
{
    const uint16_t port = FreeUdpPort();
    Heard heard;
    XPlaneLink link({"", 20, port}, heard.sink());
    EXPECT_EQ(heard.count(Kind::Waiting), 1);

    StandInXPlane visual(Beaconing("visual-pc", port, Beacon::ExternalVisual));
    ASSERT_TRUE(PollUntil(link, [&] { return heard.count(Kind::Other) == 1; }));
    EXPECT_FALSE(link.xplane());

    StandInXPlane alpha(Beaconing("alpha-pc", port, Beacon::Master, 1));
    ASSERT_TRUE(PollUntil(link, [&] { return link.xplane().has_value(); }));
    EXPECT_EQ(*link.xplane(), alpha.endpoint());
    EXPECT_NE(heard.text(Kind::Found).find("12.1.0 on \"alpha-pc\" at " + alpha.endpoint().text()), std::string::npos)
        << heard.text(Kind::Found);

    StandInXPlane beta(Beaconing("beta-pc", port));
    ASSERT_TRUE(PollUntil(link, [&] { return heard.count(Kind::Other) == 2; }));
    PollFor(link, 0.3);  // a few more beacons of each
    EXPECT_EQ(heard.count(Kind::Other), 2) << "each other X-Plane is named once";
    EXPECT_EQ(heard.count(Kind::Found), 1);
    EXPECT_NE(heard.text(Kind::Other).find("visual-pc"), std::string::npos);
    EXPECT_NE(heard.text(Kind::Other).find("beta-pc"), std::string::npos);
    EXPECT_EQ(*link.xplane(), alpha.endpoint());
    EXPECT_TRUE(WaitUntil([&] { return alpha.subscriptions().size() == link.elements().size(); }));
    EXPECT_TRUE(visual.requests().empty());
    EXPECT_TRUE(beta.requests().empty());
}

TEST(LiveLink, ListenersShareTheBeaconPort)
{
    // Another listener (X-Plane's own tools, a second flyer-sim) may hold the
    // port already: both must hear every beacon. Other beacons on this
    // machine are told apart by the computer's name.
    const std::string name = "stand-in-" + std::to_string(Clock::now().time_since_epoch().count());
    UdpSocket first = UdpSocket::multicastListener(kBeaconPort, kBeaconGroup);
    UdpSocket second = UdpSocket::multicastListener(kBeaconPort, kBeaconGroup);
    StandInXPlane xp(Beaconing(name, kBeaconPort));
    for (UdpSocket *listener : {&first, &second}) {
        bool heard = false;
        const Clock::time_point end = Clock::now() + std::chrono::seconds(10);
        for (int i = 0; i < 10000 && !heard && Clock::now() < end; ++i) {
            net::WaitReadable({listener}, 10);
            uint8_t buffer[kMaxDatagram + 1];
            size_t size = 0;
            Endpoint from;
            if (listener->receive(buffer, sizeof buffer, size, from) != UdpSocket::Received::Datagram) continue;
            const auto b = ParseBeacon(buffer, size);
            heard = b && b->computer == name && from.address == kLoopbackAddress && b->port == xp.endpoint().port;
        }
        EXPECT_TRUE(heard);
    }
}

TEST(LiveLink, SubscribesEveryValueAndCancelsOnEveryWayOut)
{
    StandInXPlane xp({});
    xp.set(kAirspeed, 95.5f);
    xp.set(kGear1, 0.25f);
    xp.set(host::DatarefName("Pitch"), std::nanf(""));
    xp.set(host::DatarefName("Roll"), -INFINITY);

    for (bool explicitClose : {false, true}) {
        Heard heard;
        Endpoint client;
        std::set<int32_t> subscribed;
        {
            XPlaneLink link({xp.endpoint().text(), 25}, heard.sink());
            ASSERT_TRUE(WaitUntil([&] { return xp.subscriptions().size() == link.elements().size(); }));
            std::set<std::string> asked;
            for (const auto &[index, r] : xp.subscriptions()) {
                EXPECT_EQ(r.ask.frequency, 25) << r.ask.name;
                asked.insert(r.ask.name);
                subscribed.insert(index);
                client = r.from;
            }
            for (const LiveElement &e : link.elements()) EXPECT_EQ(asked.count(e.name), 1u) << e.name;

            ASSERT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 95.5f) && Holds(link, kGear1, 0.25f); }));
            EXPECT_TRUE(std::isnan(link.values()[ElementOf(link, host::DatarefName("Pitch"))].value));
            EXPECT_EQ(link.values()[ElementOf(link, host::DatarefName("Roll"))].value, -INFINITY);
            EXPECT_FALSE(link.values()[ElementOf(link, host::DatarefName("Heading"))].received);
            xp.set(kAirspeed, 101);
            EXPECT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 101); }));
            xp.set(kAirspeed, 95.5f);
            if (explicitClose) {
                link.close();
                link.close();
                link.poll();
            }
        }
        EXPECT_TRUE(WaitUntil([&] { return xp.subscriptions().empty(); }))
            << xp.subscriptions().size() << " left; " << (explicitClose ? "close()" : "destructor");
        std::set<int32_t> cancelled;
        for (const auto &r : xp.requests())
            if (r.from == client && r.ask.frequency == 0) cancelled.insert(r.ask.index);
        EXPECT_EQ(cancelled, subscribed);
        EXPECT_EQ(heard.count(Kind::Cancelled), 1);
    }
}

TEST(LiveLink, SilenceKeepsTheLastValuesUntilXPlaneAnswersAgain)
{
    StandInXPlane xp({});
    xp.set(kAirspeed, 80);
    Heard heard;
    XPlaneLink link({xp.endpoint().text(), 30, kBeaconPort, 0.3}, heard.sink());
    ASSERT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 80); }));

    xp.fallSilent(true);
    ASSERT_TRUE(PollUntil(link, [&] { return heard.count(Kind::Silent) == 1; }));
    const size_t requestsThen = xp.requests().size();
    PollFor(link, 1.5);
    EXPECT_EQ(heard.count(Kind::Silent), 1);
    EXPECT_TRUE(link.silent());
    EXPECT_TRUE(Holds(link, kAirspeed, 80));
    EXPECT_GT(xp.requests().size(), requestsThen) << "asked again during the silence";

    // X-Plane restarted on the same port: it has forgotten the subscriptions.
    xp.restart(false);
    xp.fallSilent(false);
    xp.set(kAirspeed, 90);
    ASSERT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 90); }));
    EXPECT_FALSE(link.silent());
    EXPECT_EQ(heard.count(Kind::Back), 1);
    EXPECT_EQ(heard.count(Kind::Silent), 1);
}

TEST(LiveLink, FollowsXPlaneRestartedOnANewPort)
{
    const uint16_t port = FreeUdpPort();
    StandInXPlane xp(Beaconing("sim-pc", port));
    xp.set(kAirspeed, 80);
    Heard heard;
    XPlaneLink link({"", 30, port, 0.3}, heard.sink());
    ASSERT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 80); }));

    const Endpoint before = xp.endpoint();
    xp.restart(true);
    xp.set(kAirspeed, 70);
    ASSERT_NE(xp.endpoint(), before);
    ASSERT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 70); }));
    EXPECT_EQ(*link.xplane(), xp.endpoint());
    EXPECT_EQ(heard.count(Kind::Silent), 1);
    EXPECT_NE(heard.text(Kind::Back).find(xp.endpoint().text()), std::string::npos) << heard.text(Kind::Back);
    EXPECT_EQ(xp.subscriptions().size(), link.elements().size());
    link.close();
    EXPECT_TRUE(WaitUntil([&] { return xp.subscriptions().empty(); }));
}

TEST(LiveLink, GarbageIsCountedOnceSaidAndIgnored)
{
    const uint16_t port = FreeUdpPort();
    StandInXPlane xp(Beaconing("sim-pc", port));
    xp.set(kAirspeed, 80);
    Heard heard;
    XPlaneLink link({"", 30, port}, heard.sink());
    ASSERT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 80); }));
    xp.fallSilent(true);
    PollFor(link, 0.1);

    int32_t airspeedIndex = -1;
    for (const auto &[index, r] : xp.subscriptions())
        if (r.ask.name == kAirspeed) airspeedIndex = index;
    const RrefValue unknownOnly[] = {{100000, 1}, {-5, 2}};
    const RrefValue mixed[] = {{airspeedIndex, 55}, {int32_t(link.elements().size()), 3}};
    const std::string pair = BuildRrefValues(unknownOnly, 1).substr(5);
    const std::string toClient[] = {
        "", "R", "RREF", "RREF,", "RREF," + pair.substr(0, 7), "RREF," + pair + "x", "DATA*" + pair,
        "RREF," + std::string(3000, '\0'), std::string(413, 'z'),
    };
    const std::string toBeaconPort[] = {"BECN", std::string(600, '\xff')};
    for (const std::string &g : toClient) xp.sendToClient(g);
    for (const std::string &g : toBeaconPort) xp.sendToBeaconPort(g);
    xp.sendToClient(BuildRrefValues(unknownOnly, 2));
    xp.sendToClient(BuildRrefValues(mixed, 2));

    const uint64_t garbage = std::size(toClient) + std::size(toBeaconPort);
    ASSERT_TRUE(PollUntil(link, [&] { return link.counts().malformed == garbage && link.counts().unknown == 3; }))
        << link.counts().malformed << " malformed, " << link.counts().unknown << " unknown";
    EXPECT_TRUE(Holds(link, kAirspeed, 55));
    EXPECT_EQ(heard.count(Kind::Malformed), 1);
    EXPECT_EQ(heard.count(Kind::UnknownIndex), 1);

    xp.set(kAirspeed, 81);
    xp.fallSilent(false);
    EXPECT_TRUE(PollUntil(link, [&] { return Holds(link, kAirspeed, 81); }));
}

}  // namespace
}  // namespace sim::live
