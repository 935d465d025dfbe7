// flyer-sim --live against the stand-in X-Plane on 127.0.0.1: the values it
// sends reach the panel (the frame is the replay's of the same values)
// through a silence and garbage; found by its beacon and shown in the
// window; every subscription cancelled at the end of --duration and after
// SIGINT or SIGTERM; what --live refuses.

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "StandInXPlane.h"
#include "StreamViewer.h"
#include "host/PublishedDatarefs.h"
#include "outputs/Image.h"

namespace fs = std::filesystem;

namespace sim::live {
namespace {

using Clock = std::chrono::steady_clock;

fs::path ScratchDir()
{
    return fs::path(testing::TempDir()) / ("flyer-sim-live-" + std::to_string(getpid()));
}
fs::path Scratch(const std::string &name)
{
    fs::create_directories(ScratchDir());
    return ScratchDir() / name;
}
// The scratch folder goes when the tests end (failed ones' files with it:
// their output is in the failure messages).
struct RemoveScratch : testing::Environment {
    void TearDown() override { fs::remove_all(ScratchDir()); }
};
const testing::Environment *const kRemoveScratch = testing::AddGlobalTestEnvironment(new RemoveScratch);

std::string Read(const fs::path &p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Contains(const std::string &hay, const std::string &needle) { return hay.find(needle) != std::string::npos; }

// A program running beside the test, its stdout and stderr in one file of
// the scratch folder.
struct Child : ostrel::testing::ChildProcess {
    explicit Child(std::vector<std::string> argv, const std::string &name = "output.txt")
        : ChildProcess(std::move(argv), Scratch(name).string())
    {
    }
};

// Waits until `done` holds: at most `seconds`, 5 ms a round.
template <class Done>
bool WaitUntil(Done done, double seconds = 10)
{
    for (int i = 0; i < int(seconds * 200) && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}

// The values the stand-in sends and the replay sets, by short name.
using Values = std::vector<std::pair<std::string, float>>;
std::string FullName(const std::string &shortName)
{
    const size_t bracket = shortName.find('[');
    const std::string base = shortName.substr(0, bracket);
    return host::DatarefName(base) + (bracket == std::string::npos ? "" : shortName.substr(bracket));
}
void Send(StandInXPlane &xp, const Values &values)
{
    for (const auto &[name, v] : values) xp.set(FullName(name), v);
}
std::vector<std::string> Replay(const Values &values)
{
    std::vector<std::string> args = {"--flight", "rest"};
    for (const auto &[name, v] : values) {
        std::ostringstream s;
        s << name << "=" << v;  // nan, inf and -inf as --set takes them
        args.insert(args.end(), {"--set", s.str()});
    }
    return args;
}

// flyer-sim drawing with Mesa's software rasterizer, as the replays it is
// compared with do, whatever a live run's default renderer.
std::vector<std::string> Sim(std::vector<std::string> args)
{
    args.insert(args.begin(), {FLYER_SIM, "--gl", "software"});
    return args;
}

// Every subscription the stand-in had was cancelled by the client that made it.
void ExpectAllCancelled(const StandInXPlane &xp, const std::string &what)
{
    EXPECT_TRUE(WaitUntil([&] { return xp.subscriptions().empty(); }, 2)) << what;
    std::set<int32_t> subscribed, cancelled;
    for (const auto &r : xp.requests()) (r.ask.frequency > 0 ? subscribed : cancelled).insert(r.ask.index);
    EXPECT_FALSE(subscribed.empty()) << what;
    EXPECT_EQ(cancelled, subscribed) << what;
}

// The frames are the same picture, pixel for pixel.
void ExpectSameFrame(const fs::path &live, const fs::path &replay)
{
    const Image a = ReadPng(live.string()), b = ReadPng(replay.string());
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    size_t differing = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4) differing += std::abs(a.rgba[i] - b.rgba[i]) > 0 ||
                                                               std::abs(a.rgba[i + 1] - b.rgba[i + 1]) > 0 ||
                                                               std::abs(a.rgba[i + 2] - b.rgba[i + 2]) > 0;
    EXPECT_EQ(differing, 0u) << live << " against " << replay;
}

const std::vector<std::string> kSmallScreen = {"--screen", "640x400", "--fps", "30"};
// The host's list less the view type, the gear as three elements: the
// heading under both its names among them.
constexpr size_t kSubscriptions = 33;

TEST(LiveRun, ValuesReachThePanelThroughASilenceAndGarbage)
{
    StandInXPlane xp({});
    const Values before = {{"Airspeed", 80}, {"Bug", 200}, {"Roll", 10}};
    // After the silence: new values and the last ones before it, ints as
    // floats, non-finite values as they come.
    const Values after = {{"Airspeed", 95.5f}, {"Bug", 200},    {"Roll", -15},   {"Pitch", 5},
                          {"Heading", 123},    {"Altitude", 1234}, {"Vertspeed", -INFINITY}, {"Gear[1]", 0.25f},
                          {"Stalled", 1},      {"Nav1DME", 1},  {"Nav1DMEdist", 12.5f}, {"FDpitch", NAN}};
    Send(xp, before);
    const fs::path png = Scratch("live.png"), replayPng = Scratch("replay.png");
    // What --set fixes stays fixed, whatever X-Plane sends.
    const std::vector<std::string> fixed = {"--set", "Heading=45"};
    std::vector<std::string> args = Sim({"--live", xp.endpoint().text(), "--duration", "4", "--png", png.string()});
    args.insert(args.end(), kSmallScreen.begin(), kSmallScreen.end());
    args.insert(args.end(), fixed.begin(), fixed.end());
    Child sim(args);

    ASSERT_TRUE(WaitUntil([&] { return xp.subscriptions().size() == kSubscriptions; })) << sim.output();
    std::set<std::string> asked;
    for (const auto &[index, r] : xp.subscriptions()) {
        EXPECT_EQ(r.ask.frequency, 30) << r.ask.name;
        asked.insert(r.ask.name);
    }
    EXPECT_EQ(asked.count(host::DatarefName("Heading")) + asked.count(host::DatarefName("HeadingOld")), 2u);
    ASSERT_TRUE(WaitUntil([&] { return xp.valueDatagramsSent() > 10; }));
    xp.fallSilent(true);
    ASSERT_TRUE(WaitUntil([&] { return Contains(sim.output(), "no data from"); }, 3)) << sim.output();
    const RrefValue unknown = {int32_t(kSubscriptions) + 7, 1};
    for (const std::string &g : {std::string("RREF"), std::string("DATA*") + std::string(8, '\1'),
                                 std::string(2000, '\xff'), BuildRrefValues(&unknown, 1)})
        xp.sendToClient(g);
    Send(xp, after);
    xp.fallSilent(false);

    ASSERT_EQ(sim.wait(), 0) << sim.output();
    const std::string out = sim.output();
    for (const char *said : {"asking X-Plane at 127.0.0.1:", "no data from X-Plane at", "again after",
                             "ignoring datagrams that are not X-Plane's", "ignoring values for indices never asked",
                             "cancelled the 33 subscriptions", "malformed=3 unknown=1", "delay_ms_median="})
        EXPECT_TRUE(Contains(out, said)) << said << "\n" << out;
    ExpectAllCancelled(xp, "at the end of --duration");

    args = Sim(Replay(after));
    args.insert(args.end(), {"--at", "4", "--png", replayPng.string()});
    args.insert(args.end(), kSmallScreen.begin(), kSmallScreen.end());
    args.insert(args.end(), fixed.begin(), fixed.end());
    Child replay(args, "replay.txt");
    ASSERT_EQ(replay.wait(), 0) << replay.output();
    ExpectSameFrame(png, replayPng);
}

TEST(LiveRun, FindsXPlaneByItsBeaconAndShowsItInTheWindow)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    const uint16_t port = FreeUdpPort();
    StandInXPlane::Options o;
    o.computer = "sim-pc";
    o.beaconPort = port;
    StandInXPlane xp(o);
    const Values values = {{"Airspeed", 120}, {"Pitch", -3}, {"Roll", 30}, {"Gear[0]", 0}};
    Send(xp, values);
    const fs::path png = Scratch("window.png"), replayPng = Scratch("window-replay.png");
    // Under a plain background: lines of the outside view come out a shade
    // apart in a window's framebuffer and an offscreen one.
    const std::vector<std::string> screen = {"--screen", "640x400", "--fps", "30", "--background", "203040"};
    std::vector<std::string> args = Sim({"--live", "--live-beacon-port", std::to_string(port), "--window",
                                         "--screenshot", png.string(), "--duration", "2"});
    args.insert(args.end(), screen.begin(), screen.end());
    args.insert(args.begin(), {"xvfb-run", "-a", "-s", "-screen 0 800x600x24"});
    Child sim(args);
    ASSERT_EQ(sim.wait(), 0) << sim.output();
    EXPECT_TRUE(Contains(sim.output(), "found X-Plane 12.1.0 on \"sim-pc\" at " + xp.endpoint().text()))
        << sim.output();
    ExpectAllCancelled(xp, "at the end of --duration");

    args = Sim(Replay(values));
    args.insert(args.end(), {"--at", "2", "--png", replayPng.string()});
    args.insert(args.end(), screen.begin(), screen.end());
    Child replay(args, "replay.txt");
    ASSERT_EQ(replay.wait(), 0) << replay.output();
    ExpectSameFrame(png, replayPng);
}

TEST(LiveRun, InterruptsCancelEverySubscription)
{
    for (int sig : {SIGINT, SIGTERM}) {
        StandInXPlane xp({});
        Send(xp, {{"Airspeed", 70}});
        const fs::path png = Scratch("never.png");
        fs::remove(png);
        Child sim(Sim({"--live", xp.endpoint().text(), "--png", png.string(), "--duration", "60", "--screen",
                       "320x200"}));
        ASSERT_TRUE(WaitUntil([&] { return Contains(sim.output(), "receiving values"); })) << sim.output();
        sim.signal(sig);
        EXPECT_EQ(sim.wait(), 128 + sig) << sim.output();
        EXPECT_TRUE(Contains(sim.output(), "cancelled the 33 subscriptions")) << sim.output();
        EXPECT_FALSE(fs::exists(png));
        ExpectAllCancelled(xp, "after signal " + std::to_string(sig));
    }
}

TEST(LiveRun, ServedPagesHearOfSilencesAndEveryWayOutClosesStreamsAndSubscriptions)
{
    StandInXPlane xp({});
    Send(xp, {{"Airspeed", 70}});
    Child sim(Sim({"--live", xp.endpoint().text(), "--serve", "127.0.0.1:0", "--duration", "60", "--screen",
                   "640x400"}));
    const std::string out = sim.waitForOutput("http://127.0.0.1:");
    const size_t at = out.find("http://127.0.0.1:");
    ASSERT_NE(at, std::string::npos) << out;
    ostrel::testing::StreamViewer viewer(uint16_t(std::stoi(out.substr(at + 17))));
    // The news follows the link: values, then a silence.
    auto newsSays = [&](const std::string &what) {
        for (int i = 0; i < 200; ++i) {
            bool text = false;
            const std::string m = viewer.next(&text);
            if (text && Contains(m, what)) return true;
        }
        return false;
    };
    EXPECT_TRUE(newsSays("receiving values from X-Plane"));
    EXPECT_FALSE(viewer.nextPicture().empty());
    xp.fallSilent(true);
    EXPECT_TRUE(newsSays("no data from X-Plane"));
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.wait(), 143) << sim.output();
    EXPECT_THROW(for (int i = 0; i < 100; ++i) viewer.next(), std::runtime_error) << "the stream stayed open";
    ExpectAllCancelled(xp, "after --serve's SIGTERM");
}

TEST(LiveRun, RefusesWhatMakesNoSenseWithIt)
{
    const std::string png = Scratch("refused.png").string();
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"--live"}, "--live needs an output"},
        {{"--live", "--png", png}, "--live --png FILE needs --duration S"},
        {{"--live", "--window", "--png", png, "--duration", "1"}, "--screenshot FILE"},
        {{"--live", "--at", "1", "--png", png}, "--at is not used with --live"},
        {{"--live", "--flight", "rest", "--window"}, "--flight is not used with --live"},
        {{"--live", "--out", png, "--window"}, "--out is not used with --live"},
        {{"--live", "--every-frame", "--window"}, "--every-frame is not used with --live"},
        {{"--live", "sim-pc:65536", "--window"}, "got \"sim-pc:65536\""},
        {{"--live", ":49000", "--window"}, "HOST or HOST:PORT"},
        {{"--live", "1.2.3", "--png", png, "--duration", "1"}, "not an IPv4 address"},
        {{"--live-beacon-port", "5000", "--window"}, "--live-beacon-port is used with --live"},
    };
    for (const auto &c : cases) {
        Child sim(Sim(c.args));
        EXPECT_EQ(sim.wait(), 2) << c.args[1] << "\n" << sim.output();
        EXPECT_TRUE(Contains(sim.output(), c.says)) << c.says << "\n" << sim.output();
    }
    EXPECT_FALSE(fs::exists(png));
}

}  // namespace
}  // namespace sim::live
