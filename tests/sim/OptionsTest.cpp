// Command-line parsing: values that are accepted and the ones that are a
// usage error (exit code 2).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "cli/Options.h"

using namespace sim;

namespace {

int Parse(std::vector<std::string> args, Options &opts)
{
    args.insert(args.begin(), "flyer-sim");
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    return ParseOptions(int(argv.size()), argv.data(), opts);
}

}  // namespace

// A run without options finds this build's plug-in and texture.
TEST(Options, DefaultsNameThisBuildsPluginAndTexture)
{
    Options o;
    ASSERT_EQ(Parse({}, o), -1);
    EXPECT_TRUE(std::filesystem::is_regular_file(o.plugin)) << o.plugin;
    EXPECT_TRUE(std::filesystem::is_regular_file(o.texture)) << o.texture;
}

TEST(Options, ValuesOfEveryKind)
{
    Options o;
    ASSERT_EQ(Parse({"--screen", "640x480", "--view", "1026", "--fps", "12.5", "--set",
                     "sim/flightmodel/position/theta=nan", "--set",
                     "sim/cockpit2/gauges/indicators/airspeed_kts_pilot=-inf", "--set",
                     "sim/flightmodel2/gear/deploy_ratio[2]=0.25", "--set",
                     "sim/cockpit/electrical/cockpit_lights_on=1", "--set",
                     "sim/cockpit2/radios/indicators/nav1_has_dme=-2147483648", "--missing",
                     "sim/graphics/view/view_type", "--command", "sim/view/ostrel_select@3",
                     "--background", "#102030", "--at", "4", "--png", "x.png"},
                    o),
              -1);
    EXPECT_EQ(o.screenWidth, 640);
    EXPECT_EQ(o.screenHeight, 480);
    EXPECT_EQ(o.view, 1026);
    EXPECT_DOUBLE_EQ(o.fps, 12.5);
    ASSERT_EQ(o.overrides.size(), 5u);
    EXPECT_TRUE(std::isnan(o.overrides[0].value));
    EXPECT_EQ(o.overrides[1].value, -INFINITY);
    EXPECT_EQ(o.overrides[2].key.index, 2);
    EXPECT_DOUBLE_EQ(o.overrides[3].value, 1);
    EXPECT_DOUBLE_EQ(o.overrides[4].value, -2147483648.0);  // the smallest int
    ASSERT_EQ(o.missing.size(), 1u);
    ASSERT_EQ(o.commands.size(), 1u);
    EXPECT_DOUBLE_EQ(o.commands[0].time, 3);
    EXPECT_FALSE(o.outsideView);
    EXPECT_EQ(std::lround(o.background[2] * 255), 0x30);
    EXPECT_DOUBLE_EQ(*o.at, 4);
}

// A short name (the panel's name for the value) picks the same element as
// the full dataref name, and a key is always written back in full.
TEST(Options, ShortNamesStandForFullOnes)
{
    const std::pair<const char *, const char *> same[] = {
        {"Airspeed", "sim/cockpit2/gauges/indicators/airspeed_kts_pilot"},
        {"View", "sim/graphics/view/view_type"},
        {"Gear[2]", "sim/flightmodel2/gear/deploy_ratio[2]"},
        {"Nav1DMEtime", "sim/cockpit2/radios/indicators/nav1_dme_time_min"},
    };
    for (auto [shortKey, fullKey] : same) {
        Override a, b;
        ASSERT_EQ(ParseOverride(std::string(shortKey) + "=1", a), "") << shortKey;
        ASSERT_EQ(ParseOverride(std::string(fullKey) + "=1", b), "") << fullKey;
        EXPECT_EQ(a.key.info, b.key.info) << shortKey;
        EXPECT_EQ(a.key.index, b.key.index) << shortKey;
        EXPECT_EQ(a.key.text(), fullKey);
    }
}

TEST(Options, UsageErrorsExitWithTwo)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--no-such-option"},
        {"--screen", "1280"},
        {"--screen", "10x10"},
        {"--screen", "1280x800x2"},
        {"--fps", "0"},
        {"--fps", "nan"},
        {"--fps", "fast"},
        {"--view", "1017.5"},
        {"--set", "sim/flightmodel/position/theta"},
        {"--set", "sim/no/such=1"},
        {"--set", "sim/flightmodel/position/theta=abc"},
        {"--set", "sim/cockpit/electrical/cockpit_lights_on=0.5"},
        {"--set", "sim/cockpit/electrical/cockpit_lights_on=inf"},
        {"--set", "sim/cockpit/electrical/cockpit_lights_on=2147483648"},
        {"--set", "sim/cockpit/electrical/cockpit_lights_on=-2147483649"},
        {"--video-size", "640x400"},
        {"--video", "v.mp4", "--video-size", "641x400"},
        {"--set", "sim/flightmodel2/gear/deploy_ratio=1"},
        {"--set", "sim/flightmodel2/gear/deploy_ratio[10]=1"},
        {"--set", "airspeed=1"},  // short names are case-sensitive
        {"--set", "Gear=1"},
        {"--set", "Lit[0]=1"},
        {"--missing", "sim/no/such"},
        {"--command", "sim/view/ostrel_select"},
        {"--command", "sim/view/ostrel_select@soon"},
        {"--at", "3"},
        {"--png", "x.png"},
        {"--at", "-1", "--png", "x.png"},
        {"--bench"},
        {"--frames", "10"},
        {"--frames", "-5", "--bench"},
        {"--every", "0", "--out", "d"},
        {"--every", "2"},
        {"--screenshot", "s.png"},
        {"--background", "blue"},
        {"--at", "1", "--png", "x.png", "--bench", "--frames", "3"},
        {"--window", "--demo", "d"},
        {"--sheet-frames", "0", "--sheet", "s.png"},
        {"--live", "[::1", "--window"},
        {"--live", "sim pc", "--window"},
        {"--gl", "metal"},
    };
    for (const auto &args : bad) {
        Options o;
        std::string joined;
        for (const std::string &a : args) joined += a + " ";
        testing::internal::CaptureStderr();
        int code = Parse(args, o);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(code, 2) << joined;
        EXPECT_NE(err.find("flyer-sim: error:"), std::string::npos) << joined << "\n" << err;
    }
}

// A card draws by default only what is not an image the same on every
// machine: videos alone, the window and live runs.
TEST(Options, GlDefaultsToACardForVideosTheWindowAndLive)
{
    using host::Renderer;
    const struct {
        std::vector<std::string> args;
        Renderer gl;
    } cases[] = {
        {{}, Renderer::Software},
        {{"--at", "1", "--png", "x.png"}, Renderer::Software},
        {{"--out", "d", "--video", "v.mp4"}, Renderer::Software},
        {{"--frames", "3", "--bench"}, Renderer::Software},
        {{"--demo", "d"}, Renderer::Software},
        {{"--video", "v.mp4"}, Renderer::Auto},
        {{"--window"}, Renderer::Auto},
        {{"--live", "--png", "x.png", "--duration", "1"}, Renderer::Auto},
        {{"--video", "v.mp4", "--gl", "software"}, Renderer::Software},
        {{"--at", "1", "--png", "x.png", "--gl", "gpu"}, Renderer::Gpu},
        {{"--gl", "auto"}, Renderer::Auto},
    };
    for (const auto &c : cases) {
        Options o;
        ASSERT_EQ(Parse(c.args, o), -1) << testing::PrintToString(c.args);
        EXPECT_EQ(o.gl, c.gl) << testing::PrintToString(c.args);
    }
}

TEST(Options, HelpExitsWithZero)
{
    Options o;
    testing::internal::CaptureStdout();
    EXPECT_EQ(Parse({"--help"}, o), 0);
    std::string help = testing::internal::GetCapturedStdout();
    for (const char *opt : {"--plugin", "--flight", "--screen", "--view", "--fps", "--set", "--missing",
                            "--command", "--events", "--at", "--png", "--out", "--duration", "--every",
                            "--sheet", "--log", "--verbose", "--frames", "--bench", "--window",
                            "--screenshot", "--demo", "--video", "--video-size", "--every-frame", "--allow-large",
                            "nan, inf, -inf", "Garmin", "_Vind,_kias", "Exit status"})
        EXPECT_NE(help.find(opt), std::string::npos) << opt;
}
