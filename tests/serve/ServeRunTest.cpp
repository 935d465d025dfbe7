// flyer-sim --serve in a real browser (Browser.h: headless, on 127.0.0.1):
// the page shows the frame flyer-sim draws for the same values, at the size
// the page shows it; its buttons work the panel in every open page; it
// comes back by itself when flyer-sim is restarted.

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "PageCheck.h"
#include "PanelGeometry.h"
#include "host/PanelInterface.h"
#include "outputs/Image.h"

namespace fs = std::filesystem;
using ostrel::testing::ChildProcess;

namespace sim::serve::testing {
namespace {

fs::path Scratch(const std::string &name)
{
    const fs::path dir = fs::path(::testing::TempDir()) / ("flyer-sim-serve-" + std::to_string(getpid()));
    fs::create_directories(dir);
    return dir / name;
}
struct RemoveScratch : ::testing::Environment {
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(fs::path(::testing::TempDir()) / ("flyer-sim-serve-" + std::to_string(getpid())), ignored);
    }
};
const ::testing::Environment *const kRemoveScratch = ::testing::AddGlobalTestEnvironment(new RemoveScratch);

// A flight that holds still: the picture is the same in every frame.
const std::vector<std::string> kStill = {"--flight", "rest",  "--set", "Airspeed=95", "--set", "Altitude=1350",
                                         "--set",    "Heading=250", "--set", "Bug=270",    "--set", "Pitch=4"};

std::vector<std::string> Sim(std::vector<std::string> args)
{
    args.insert(args.begin(), {FLYER_SIM, "--gl", "software"});
    args.insert(args.end(), kStill.begin(), kStill.end());
    return args;
}

// flyer-sim serving kStill; its page's address.
struct Served {
    explicit Served(const std::string &where = "127.0.0.1:0")
        : sim(Sim({"--serve", where, "--duration", "120"}), Scratch("serve.txt").string())
    {
        const std::string out = sim.waitForOutput("http://127.0.0.1:");
        std::smatch m;
        if (std::regex_search(out, m, std::regex("http://127\\.0\\.0\\.1:([0-9]+)/"))) {
            url = m[0];
            port = m[1];
        }
    }
    ChildProcess sim;
    std::string url, port;
};

class ServeRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Browser::Available()) GTEST_SKIP() << "no browser (scripts/deps.sh installs one)";
    }
};

TEST_F(ServeRun, ThePageShowsTheFrameFlyerSimDrawsAtTheSizeItIsShown)
{
    Served served;
    ASSERT_FALSE(served.url.empty()) << served.sim.output();
    Browser browser;
    // 600 x 420 CSS pixels, two device pixels each: the panel is shown
    // about 1200 pixels wide, larger than the plug-in draws it at 2.0.
    const std::string tab = browser.open(served.url, 600, 420, 2);
    ASSERT_TRUE(browser.waitFor(tab, PictureOfWidth(int(GA_PANEL.w * SCALE_MAX)))) << served.sim.output();
    const Rgba shown = ShownPicture(browser, tab);

    // The same values in a frame of flyer-sim's own at scale 2.0.
    const fs::path frame = Scratch("frame.png");
    std::vector<std::string> at = Sim({"--at", "1", "--png", frame.string()});
    for (int i = 0; i < 5; ++i) at.insert(at.end(), {"--command", "Larger@0"});
    ChildProcess still(at, Scratch("at.txt").string());
    ASSERT_EQ(still.wait(), 0) << still.output();
    const Difference d = CompareWithPanel(shown, ReadPng(frame.string()));
    EXPECT_TRUE(d.matches()) << "the page's picture is not flyer-sim's frame: mean difference " << d.mean
                             << ", largest " << d.most;

    const std::vector<uint8_t> shot = browser.screenshot(tab);
    EXPECT_EQ(DecodePng(shot).width, 1200);
    served.sim.signal(SIGTERM);
    EXPECT_EQ(served.sim.wait(), 143);
}

TEST_F(ServeRun, ButtonsWorkThePanelInEveryPageAndAPageComesBackAfterARestart)
{
    Served served;
    ASSERT_FALSE(served.url.empty()) << served.sim.output();
    Browser first, second;
    const std::string a = first.open(served.url, 700, 500), b = second.open(served.url, 500, 400);
    const std::string glass = "(() => { const p = document.getElementById('panel');"
                              " return ostrelPage.pictures > 0 && p.naturalWidth > 1.9 * p.naturalHeight; })()";
    const std::string ga = "(() => { const p = document.getElementById('panel');"
                           " return ostrelPage.pictures > 0 && p.naturalWidth < 1.6 * p.naturalHeight; })()";
    ASSERT_TRUE(first.waitFor(a, ga));
    ASSERT_TRUE(second.waitFor(b, ga));
    first.click(a, "button[data-command=Switch]");
    EXPECT_TRUE(first.waitFor(a, glass)) << "the click did not switch the panel";
    EXPECT_TRUE(second.waitFor(b, glass)) << "the other page did not follow";

    // flyer-sim goes and comes back on the same port: the pages say so and
    // show the panel again, the GA panel of the new run.
    served.sim.signal(SIGTERM);
    ASSERT_EQ(served.sim.wait(), 143);
    EXPECT_TRUE(first.waitFor(a, "document.getElementById('status').textContent.startsWith('reconnecting')"));
    Served again("127.0.0.1:" + served.port);
    ASSERT_FALSE(again.url.empty()) << again.sim.output();
    EXPECT_TRUE(first.waitFor(a, ga)) << again.sim.output();
    EXPECT_TRUE(second.waitFor(b, ga));
}

TEST_F(ServeRun, TheWindowAndThePageShowTheSameFrames)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    const fs::path shot = Scratch("window.png");
    // The window's last frame is its screenshot at --duration; the page's
    // picture of the still flight is the same one.
    std::vector<std::string> args = Sim({"--window", "--serve", "127.0.0.1:0", "--screenshot", shot.string(),
                                         "--duration", "6", "--background", "203040"});
    args.insert(args.begin(), {"xvfb-run", "-a", "-s", "-screen 0 1400x1000x24"});
    ChildProcess sim(args, Scratch("window.txt").string());
    const std::string out = sim.waitForOutput("http://127.0.0.1:");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex("http://127\\.0\\.0\\.1:[0-9]+/"))) << out;
    Browser browser;
    const std::string tab = browser.open(m[0], 600, 420, 2);
    ASSERT_TRUE(browser.waitFor(tab, PictureOfWidth(int(GA_PANEL.w * SCALE_MAX)))) << sim.output();
    const Rgba shown = ShownPicture(browser, tab);
    ASSERT_EQ(sim.wait(), 0) << sim.output();
    const Difference d = CompareWithPanel(shown, ReadPng(shot.string()));
    EXPECT_TRUE(d.matches()) << "mean difference " << d.mean << ", largest " << d.most;
}

TEST(ServeRunOptions, RefusesWhatMakesNoSenseWithItAndSaysWhenItCannotListen)
{
    const struct {
        std::vector<std::string> args;
        int code;
        std::string says;
    } cases[] = {
        {{"--serve", "localhost:8080"}, 2, "the address to listen on is this computer's"},
        {{"--serve", "70000"}, 2, "the port must be a number from 0"},
        {{"--serve", "[::1:8080"}, 2, "no ] after the IPv6 address"},
        {{"--serve", "8080", "--at", "1", "--png", Scratch("x.png").string()}, 2, "--at is not used with --serve"},
        {{"--serve", "8080", "--video", Scratch("x.mp4").string()}, 2, "--video is not used with --serve"},
        {{"--serve", "8080", "--serve-clients", "0"}, 2, "--serve-clients 0: must be 1 to 64"},
        {{"--serve-clients", "3"}, 2, "--serve-clients 3 is used with --serve"},
    };
    for (const auto &c : cases) {
        ChildProcess sim(Sim(c.args), Scratch("refused.txt").string());
        EXPECT_EQ(sim.wait(), c.code) << c.args[1] << "\n" << sim.output();
        EXPECT_NE(sim.output().find(c.says), std::string::npos) << c.says << "\n" << sim.output();
    }
    // A port another program listens on: the run ends before the plug-in
    // loads, saying where it could not listen.
    Served first;
    ASSERT_FALSE(first.port.empty()) << first.sim.output();
    ChildProcess second(Sim({"--serve", "127.0.0.1:" + first.port}), Scratch("second.txt").string());
    EXPECT_EQ(second.wait(), 1) << second.output();
    EXPECT_NE(second.output().find("cannot serve on 127.0.0.1:" + first.port), std::string::npos) << second.output();
}

}  // namespace
}  // namespace sim::serve::testing
