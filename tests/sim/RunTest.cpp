// flyer-sim as a program: its exit codes and messages, the loader, the
// end-of-run checks, event timing and mouse routing through a test plug-in,
// the images it writes and videos, the bench line, the preview window, and
// the fast loop against the faithful one.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "GarminLogMaker.h"
#include "PanelGeometry.h"
#include "outputs/Image.h"

extern char **environ;
namespace fs = std::filesystem;

namespace {

struct Result {
    int code = -1;
    std::string output;  // stdout and stderr together
};

// Each test process's own folder, removed when it ends.
fs::path ScratchRoot()
{
    return fs::path(testing::TempDir()) / ("flyer-sim-test-" + std::to_string(getpid()));
}

class RemoveScratch : public testing::Environment {
public:
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(ScratchRoot(), ec);
    }
};
[[maybe_unused]] testing::Environment *const kRemoveScratch = testing::AddGlobalTestEnvironment(new RemoveScratch);

fs::path Scratch(const std::string &name)
{
    fs::path p = ScratchRoot() / name;
    fs::create_directories(p.parent_path());
    return p;
}

// Starts argv with stdout and stderr to `output`, the environment with
// `env` ("NAME=value") added.
pid_t Spawn(std::vector<std::string> argv, const fs::path &output, std::vector<std::string> env = {})
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char *> args, envp;
    for (std::string &a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    for (char **e = environ; *e; ++e) envp.push_back(*e);
    for (std::string &e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int ExitCode(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

Result Exec(std::vector<std::string> argv)
{
    const fs::path out = Scratch("output.txt");
    Result r;
    const pid_t pid = Spawn(argv, out);
    if (pid > 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        r.code = ExitCode(status);
    }
    std::ifstream in(out);
    std::stringstream s;
    s << in.rdbuf();
    r.output = s.str();
    return r;
}

// flyer-sim drawing with Mesa's software rasterizer, whose frames are the
// same on every machine, whatever the run's default renderer.
Result Sim(std::vector<std::string> args)
{
    args.insert(args.begin(), {FLYER_SIM, "--gl", "software"});
    return Exec(args);
}

std::string Probe(const std::string &variant = "probe")
{
    return std::string(SIM_PROBE_DIR) + "/" + variant + ".xpl";
}

std::string Write(const std::string &name, const std::string &text)
{
    fs::path p = Scratch(name);
    std::ofstream(p) << text;
    return p.string();
}

std::string Read(const fs::path &p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Contains(const std::string &hay, const std::string &needle)
{
    return hay.find(needle) != std::string::npos;
}

// Whether a program is on the PATH.
bool Have(const char *program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A small, quick run of the probe plug-in.
std::vector<std::string> ProbeRun(const std::string &variant = "probe")
{
    return {"--plugin", Probe(variant), "--screen", "480x360", "--fps", "10", "--duration", "1"};
}

}  // namespace

// Every way a command line or an input is refused, a run that would write
// nothing or more than anyone means, and what a run warns of: the exit code
// and the words the message must hold (the option, the value, what would
// do). Input bytes are never echoed raw, and nothing is written.
TEST(Run, RefusalsNameTheOptionTheValueAndWhatWouldDo)
{
    const std::string flight = Write("five-seconds.csv", "time,Airspeed\n0,60\n5,80\n");
    const std::string twoDays = Write("two-days.csv", "time,Airspeed\n0,60\n200000,80\n");
    const std::string badCsv = Write("bad.csv", "time,sim/flightmodel/position/theta\n0,1\n1,x\n");
    const std::string badEvents = Write("bad-events.txt", "1 command a\n2 wiggle\n");
    const std::string offScreen = Write("off-screen.txt", "0.1 down 20 20\n0.2 drag -3000 -3000\n0.3 up -3000 -3000\n");
    const std::string binary = Write("binary.csv", std::string("time,Airspeed\n\0\x1b[31m,1\n", 22));
    const std::string longLine = Write("long-line.csv", "time,Airspeed\n0," + std::string(5 << 20, '1') + "\n");
    const std::string huge = Write("huge.csv", "");
    fs::resize_file(huge, (uintmax_t(1) << 30) + 1);  // sparse: no disk taken
    const std::string readOnly = Write("read-only.png", "a picture");
    fs::permissions(readOnly, fs::perms::owner_read, fs::perm_options::replace);
    const std::string folder = Scratch("a-folder").string(), never = Scratch("never-written").string();
    fs::create_directories(folder);
    const std::string png = never + ".png", video = never + ".mp4";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::vector<std::string> words;
    } cases[] = {
        {{"--bogus"}, 2, {"flyer-sim: error:"}},
        {{"--screen", "wide"}, 2, {"--screen: expected WIDTHxHEIGHT"}},
        {{"--set", "sim/cockpit/electrical/cockpit_lights_on=0.5"}, 2, {"takes whole numbers"}},
        {{"--set", "sim/cockpit/electrical/cockpit_lights_on=-2147483649"}, 2, {"outside -2147483648 to 2147483647"}},
        {{"--flight", badCsv}, 2, {badCsv + ":3:3: bad number \"x\""}},
        {{"--events", badEvents}, 2, {badEvents + ":2:3: unknown event \"wiggle\""}},
        {{"--plugin", Probe(), "--command", "no/such/command@0.5"}, 2,
         {"--command no/such/command@0.5: no command \"no/such/command\"; the plug-in created:\n  test/probe/cmd"}},
        // Empty values, and a value forgotten before the next option.
        {{"--video", ""}, 2, {"--video: empty value"}},
        {{"--out", ""}, 2, {"--out: empty value"}},
        {{"--demo", ""}, 2, {"--demo: empty value"}},
        {{"--at", "1", "--png", "--verbose"}, 2, {"--png: expected FILE, got the option --verbose"}},
        // Bounds, said in the message.
        {{"--duration", "1e9"}, 2, {"--duration 1e9: flyer-sim runs at most"}},
        {{"--at", "8e7", "--png", png}, 2, {"--at 8e7: flyer-sim runs at most"}},
        {{"--fps", "0"}, 2, {"--fps 0: must be 1 to"}},
        {{"--frames", "2000000000", "--bench"}, 2, {"--frames 2000000000: must be 1 to"}},
        {{"--flight", twoDays}, 2, {"--flight " + twoDays + " lasts 200000 s, longer than", "--duration"}},
        {{"--flight", twoDays, "--duration", "5000", "--out", never}, 2,
         {"would write 150,001 files", "--every", "--allow-large"}},
        // Runs that would write nothing, or only the first of a sequence.
        {{"--from", "600", "--duration", "120", "--video", video}, 2,
         {"--from 600 is at or after the end of the run at 120 s", "use --duration 720"}},
        {{"--flight", flight, "--from", "6", "--out", never}, 2,
         {"--from 6 is at or after the end of the flight at 5 s"}},
        {{"--flight", flight, "--fps", "10", "--duration", "1", "--out", never, "--every", "20"}, 2,
         {"--every 20: the run has 11 frames", "use --every 10 or less"}},
        {{"--flight", flight, "--fps", "10", "--duration", "1", "--sheet", png, "--sheet-frames", "20"}, 2,
         {"--sheet-frames 20: the run has 11 frames", "use --sheet-frames 11 or less"}},
        {{"--sheet-frames", "5"}, 2, {"--sheet-frames 5 is used with --sheet"}},
        {{"--at", "800", "--duration", "720", "--png", png}, 2, {"--at 800 is after the end of the run at 720 s"}},
        {{"--events", offScreen, "--screen", "320x200", "--fps", "10", "--duration", "2", "--from", "1", "--video",
          video, "--video-size", "panel"},
         2,
         {"--video-size panel: the plug-in's window lies outside the 320x200 screen at t=1 s"}},
        // Outputs that cannot be written, checked before the run.
        {{"--log", "/no/such/folder/x.log"}, 2, {"--log /no/such/folder/x.log: there is no folder /no/such/folder"}},
        {{"--at", "1", "--png", folder}, 2, {"--png " + folder + ": is a folder"}},
        {{"--at", "1", "--png", readOnly}, 2, {"--png " + readOnly + ": is read-only"}},
        {{"--out", readOnly}, 2, {"--out " + readOnly + ": is a file, not a folder"}},
        // Inputs that are not text files.
        {{"--flight", "/no/such/flight.csv"}, 2, {"--flight /no/such/flight.csv: cannot open the flight file"}},
        {{"--flight", folder}, 2, {"--flight " + folder + ": is a folder"}},
        {{"--flight", "/dev/urandom"}, 2, {"--flight /dev/urandom: is not a regular file"}},
        {{"--events", "/dev/zero"}, 2, {"--events /dev/zero: is not a regular file"}},
        {{"--flight", binary}, 2, {"byte 14 (line 2, column 1) is 0x00: binary content"}},
        {{"--flight", longLine}, 2, {"--flight " + longLine + ": line 2 is longer than"}},
        {{"--flight", huge}, 2, {"--flight " + huge + ": larger than"}},
        {{"--set", "Airspeed=\x1b[31m"}, 2, {"bad value \"\\x1B[31m\""}},
        // Warned of, or failed after the run: nothing silent.
        {{"--plugin", Probe(), "--screen", "320x200", "--fps", "10", "--duration", "1", "--command",
          "test/probe/cmd@5"},
         0, {"--command test/probe/cmd@5: at 5 s, after the run's last frame at 1 s: never delivered"}},
        {{"--texture", flight, "--fps", "10", "--duration", "0.2"}, 1,
         {"the plug-in logged: Ostrel-Flyer: Failed to bind the master texture.",
          "check failed: the plug-in drew nothing"}},
    };
    for (const Case &c : cases) {
        std::string command;
        for (const std::string &a : c.args) command += a.size() < 200 ? a + " " : "(long) ";
        const auto start = std::chrono::steady_clock::now();
        Result r = Sim(c.args);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(r.code, c.code) << command << "\n" << r.output;
        for (const std::string &w : c.words)
            EXPECT_TRUE(Contains(r.output, w)) << command << "\n" << r.output << "\nexpected: " << w;
        if (c.code == 2) {
            EXPECT_LT(seconds, 30) << command << ": refused only after " << seconds << " s";
        }
        for (char ch : r.output)
            EXPECT_TRUE(ch == '\n' || ch == '\t' || static_cast<unsigned char>(ch) >= 0x20)
                << command << "\n" << r.output;
    }
    EXPECT_FALSE(fs::exists(never)) << "a refused run made its --out folder";
    EXPECT_FALSE(fs::exists(png) || fs::exists(video));
    EXPECT_EQ(Read(readOnly), "a picture");
}

// No output option changes an input, whatever name it goes by (the path
// itself, a link, "..", a hard link), nor two outputs share a file: each is
// refused before anything runs.
TEST(Run, NoOutputOptionWritesAnInput)
{
    const fs::path dir = Scratch("inputs");
    fs::create_directories(dir / "sub");
    const std::string flight = Write("inputs/flight.csv", "time,Airspeed\n0,60\n1,80\n");
    const std::string events = Write("inputs/events.txt", "0.5 command Switch\n");
    const std::string plugin = (dir / "probe.xpl").string(), texture = Write("inputs/Ostrel.tga", "texture");
    fs::copy_file(Probe(), plugin);
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {"--flight", flight}, {"--events", events}, {"--plugin", plugin}, {"--texture", texture}};
    std::map<std::string, std::string> before;
    for (const auto &[option, path] : inputs) before[path] = Read(path);
    std::vector<std::string> run;
    for (const auto &[option, path] : inputs) run.insert(run.end(), {option, path});

    struct Output {
        std::string option;
        std::vector<std::string> needs;  // to make the command line whole
        bool folder = false;
    } outputs[] = {{"--png", {"--at", "1"}}, {"--sheet", {}},  {"--video", {}},      {"--log", {}},
                   {"--screenshot", {"--window"}}, {"--out", {}, true}, {"--demo", {}, true}};
    for (const auto &[inOption, inPath] : inputs)
        for (const Output &o : outputs) {
            std::vector<std::string> args = run;
            args.insert(args.end(), {o.option, o.folder ? dir.string() : inPath});
            args.insert(args.end(), o.needs.begin(), o.needs.end());
            Result r = Sim(args);
            EXPECT_EQ(r.code, 2) << o.option << " over " << inOption << "\n" << r.output;
            EXPECT_TRUE(Contains(r.output, o.option + " ") && Contains(r.output, inOption + " " + inPath))
                << o.option << " over " << inOption << "\n" << r.output;
        }
    fs::create_symlink(flight, dir / "link.png");
    fs::create_hard_link(flight, dir / "hard-link.png");
    for (const fs::path &other : {dir / "link.png", dir / "hard-link.png", dir / "sub" / ".." / "flight.csv"}) {
        Result r = Sim({"--flight", flight, "--at", "1", "--png", other.string()});
        EXPECT_EQ(r.code, 2) << other << "\n" << r.output;
        EXPECT_TRUE(Contains(r.output, "is the same file as --flight " + flight)) << r.output;
    }
    Result r = Sim({"--at", "1", "--png", (dir / "a.png").string(), "--log", (dir / "sub/../a.png").string()});
    EXPECT_EQ(r.code, 2) << r.output;
    EXPECT_TRUE(Contains(r.output, "are the same file")) << r.output;
    r = Sim({"--out", (dir / "frames").string(), "--sheet", (dir / "frames/frame_00000.png").string()});
    EXPECT_EQ(r.code, 2) << r.output;
    EXPECT_TRUE(Contains(r.output, "is inside --out " + (dir / "frames").string())) << r.output;

    for (const auto &[option, path] : inputs) EXPECT_EQ(Read(path), before[path]) << option << " " << path;
    std::vector<std::string> names;
    for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Ostrel.tga", "events.txt", "flight.csv", "hard-link.png",
                                               "link.png", "probe.xpl", "sub"}));
}

// Ctrl-C or SIGTERM in the middle of a run: the run stops at the next frame,
// puts what it wrote in place whole (the video plays to the last frame
// written), removes its simulator folder and exits with 128 + the signal.
TEST(Run, InterruptedRunEndsCleanly)
{
    struct Case {
        int signal;
        const char *option, *name, *says;
    } cases[] = {{SIGINT, "--video", "run.mp4", "interrupted by SIGINT"},
                 {SIGTERM, "--out", "frames", "interrupted by SIGTERM"}};
    for (const Case &c : cases) {
        if (std::string(c.option) == "--video" && !Have("ffprobe")) continue;
        const fs::path tmp = Scratch(std::string("tmp-") + c.name), dir = Scratch(std::string("out-") + c.name);
        fs::create_directories(tmp);
        fs::create_directories(dir);
        const fs::path log = Scratch(std::string("interrupted-") + c.name + ".txt");
        const pid_t pid = Spawn({FLYER_SIM, "--gl", "software", "--plugin", Probe(), "--screen", "320x200",
                                 "--duration", "600", c.option, (dir / c.name).string()},
                                log, {"TMPDIR=" + tmp.string()});
        ASSERT_GT(pid, 0);
        // Signalled once it writes: the video's file or the first frame is there.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        auto writing = [&] {
            for (const auto &e : fs::recursive_directory_iterator(dir))
                if (e.is_regular_file()) return true;
            return false;
        };
        while (!writing() && std::chrono::steady_clock::now() < until) usleep(20000);
        usleep(300000);
        kill(pid, c.signal);
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                FAIL() << c.option << ": still running a minute after the signal";
            }
            usleep(20000);
        }
        const std::string output = Read(log);
        EXPECT_EQ(ExitCode(status), 128 + c.signal) << output;
        EXPECT_TRUE(Contains(output, c.says)) << output;
        EXPECT_TRUE(fs::is_empty(tmp)) << "the simulator folder was left in " << tmp << "\n" << output;
        std::vector<std::string> names;
        for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{c.name}) << output;
        if (std::string(c.option) == "--video") {
            const size_t at = output.find("wrote video ");
            ASSERT_NE(at, std::string::npos) << output;
            const std::string frames = output.substr(output.find('(', at) + 1);
            Result probe = Exec({"ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                                 "stream=nb_read_frames", "-of", "default=nw=1", (dir / c.name).string()});
            EXPECT_EQ(probe.output, "nb_read_frames=" + frames.substr(0, frames.find(' ')) + "\n") << output;
        } else {
            int written = 0;
            for (const auto &e : fs::directory_iterator(dir / c.name)) {
                EXPECT_EQ(e.path().filename().string().rfind("frame_", 0), 0u) << e.path();
                EXPECT_EQ(sim::ReadPng(e.path().string()).width, 320) << e.path();
                ++written;
            }
            EXPECT_GT(written, 0);
            EXPECT_TRUE(Contains(output, "wrote " + std::to_string(written) + " frames to ")) << output;
        }
    }
}

TEST(Run, LoaderRefusesAPluginMissingAnEntryPoint)
{
    Result r = Sim(ProbeRun("probe_no_stop"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(Contains(r.output, "lacks the entry point(s): XPluginStop")) << r.output;

    const std::string notPlugin = Write("not-a-plugin.xpl", "text");
    r = Sim({"--plugin", notPlugin});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(Contains(r.output, "cannot load plug-in")) << r.output;
    r = Sim({"--plugin", "/no/such/plugin.xpl"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(Contains(r.output, "cannot load plug-in /no/such/plugin.xpl")) << r.output;

    // The bench reads the file's GL imports first: a section table whose
    // offset wraps past the end of memory is refused, not read.
    std::string elf(64, '\0');
    elf.replace(0, 7, "\x7f" "ELF\x02\x01\x01");
    for (int i = 0; i < 8; ++i) elf[size_t(0x28 + i)] = char(i ? 0xff : 0xf0);  // e_shoff
    elf[0x3a] = 64, elf[0x3c] = 1;                                             // e_shentsize, e_shnum
    r = Sim({"--plugin", Write("wrapping-sections.xpl", elf), "--bench", "--frames", "1", "--screen", "320x200"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(Contains(r.output, "section header out of the file")) << r.output;
}

TEST(Run, EndOfRunChecksFailAMisbehavingPlugin)
{
    struct Case {
        const char *variant;
        const char *message;  // empty: the run passes
    } cases[] = {
        {"probe", ""},
        {"probe_leak_handler", "after XPluginStop 1 handler(s) still registered for command test/probe/cmd"},
        {"probe_leak_window", "after XPluginStop 1 window(s) still exist"},
        {"probe_unbalanced", "the plug-in left the modelview matrix stack unbalanced in the draw callback at t=0.000 s: depth 2, was 1"},
        {"probe_gl_error", "the plug-in raised GL_INVALID_ENUM (0x0500) in the draw callback at t=0.000 s"},
        {"probe_leak_state", "the plug-in left GL_LINE_SMOOTH on after the draw callback at t=0.000 s"},
        {"probe_leak_state", "the plug-in left GL_SCISSOR_TEST on after the draw callback at t=0.000 s"},
        {"probe_leak_texture", "after XPluginStop 1 texture(s) still exist"},
    };
    for (const Case &c : cases) {
        Result r = Sim(ProbeRun(c.variant));
        if (!*c.message) {
            EXPECT_EQ(r.code, 0) << c.variant << "\n" << r.output;
            EXPECT_FALSE(Contains(r.output, "check failed")) << r.output;
            continue;
        }
        EXPECT_EQ(r.code, 1) << c.variant << "\n" << r.output;
        EXPECT_TRUE(Contains(r.output, std::string("flyer-sim: check failed: ") + c.message))
            << c.variant << "\n" << r.output;
    }
    // Repeats are counted, not listed.
    Result r = Sim(ProbeRun("probe_gl_error"));
    EXPECT_TRUE(Contains(r.output, "(and 21 more times)")) << r.output;  // 11 frames x 2 windows
}

TEST(Run, EventsArriveAtTheFirstFrameAtOrAfterTheirTime)
{
    const std::string events = Write("timing.txt",
                                     "0 begin test/probe/cmd\n"
                                     "0.35 continue test/probe/cmd\n"
                                     "1.05 end test/probe/cmd\n"
                                     "2 command sim/view/ostrel_select\n"
                                     "9 command test/probe/cmd   # after the run: never\n");
    const std::string log = Scratch("timing.log").string();
    Result r = Sim({"--plugin", Probe(), "--screen", "480x360", "--fps", "10", "--duration", "2.5",
                    "--events", events, "--command", "test/probe/cmd@1.05", "--log", log});
    ASSERT_EQ(r.code, 0) << r.output;
    EXPECT_EQ(Read(log),
              "cmd probe 0 t=0.000\n"
              "cmd probe 1 t=0.400\n"
              "cmd probe 2 t=1.100\n"  // the file's event first,
              "cmd probe 0 t=1.100\n"  // then --command's at the same time
              "cmd probe 2 t=1.100\n"
              "cmd select 0 t=2.000\n"
              "cmd select 2 t=2.000\n");
}

TEST(Run, MouseEventsReachTheWindowUnderThePressAndStayWithIt)
{
    // Window A: x 100..299, y 100..299. Window B, above it: x 250..449,
    // y 150..349; its part below y 200 lets presses through.
    const std::string events = Write("mouse.txt",
                                     "0.1 down 120 130\n"
                                     "0.2 drag 460 30\n"
                                     "0.3 up 460 30\n"
                                     "0.4 down 280 250\n"
                                     "0.5 up 280 250\n"
                                     "0.6 down 280 180\n"
                                     "0.7 up 10 10\n"
                                     "0.8 down 470 340\n"
                                     "0.9 drag 120 130\n"
                                     "1.0 up 120 130\n");
    const std::string log = Scratch("mouse.log").string();
    Result r = Sim({"--plugin", Probe(), "--screen", "480x360", "--fps", "10", "--duration", "1",
                    "--events", events, "--log", log});
    ASSERT_EQ(r.code, 0) << r.output;
    EXPECT_EQ(Read(log),
              "mouse A down 120 130\n"
              "mouse A drag 460 30\n"
              "mouse A up 460 30\n"
              "mouse B down 280 250\n"
              "mouse B up 280 250\n"
              "mouse B down 280 180\n"  // declined by B...
              "mouse A down 280 180\n"  // ...so A, below, takes it
              "mouse A up 10 10\n");    // and the press at 470, 340 reaches nobody
}

TEST(Run, AtWritesTheFrameWithTheWindowsOverTheOutsideView)
{
    const fs::path png = Scratch("at.png");
    Result r = Sim({"--plugin", Probe(), "--screen", "480x360", "--fps", "10", "--at", "0.5", "--png",
                    png.string(), "--set", "sim/flightmodel/position/phi=0", "--set",
                    "sim/flightmodel/position/theta=0"});
    ASSERT_EQ(r.code, 0) << r.output;
    sim::Image img = sim::ReadPng(png.string());
    ASSERT_EQ(img.width, 480);
    ASSERT_EQ(img.height, 360);
    auto px = [&](int x, int yUp) { return img.at(x, img.height - 1 - yUp); };
    EXPECT_GT(px(150, 120)[0], 200);  // A, opaque red
    EXPECT_LT(px(150, 120)[1], 60);
    EXPECT_NEAR(px(280, 250)[1], 128, 30);  // B, half-transparent green over A
    EXPECT_NEAR(px(280, 250)[0], 128, 30);
    // Outside the windows, sky above the level horizon and ground below it.
    EXPECT_GT(px(470, 350)[2], px(470, 350)[1]);
    EXPECT_LT(px(470, 10)[2], 60);
}

// The sheet goes through a link to an older sheet: the link stays, the file
// it names is replaced, and no temporary file is left beside it.
TEST(Run, SequenceAndContactSheet)
{
    const fs::path dir = Scratch("seq"), sheetDir = Scratch("sheet"), sheet = sheetDir / "sheet.png";
    fs::remove_all(dir);
    fs::remove_all(sheetDir);
    fs::create_directories(sheetDir);
    std::ofstream(sheetDir / "older.png") << "an older sheet";
    fs::create_symlink("older.png", sheet);
    Result r = Sim({"--plugin", Probe(), "--screen", "320x200", "--fps", "10", "--duration", "1",
                    "--out", dir.string(), "--every", "4", "--from", "0.2", "--sheet", sheet.string(),
                    "--sheet-frames", "3"});
    ASSERT_EQ(r.code, 0) << r.output;
    std::vector<std::string> names;
    for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"frame_00002.png", "frame_00006.png", "frame_00010.png"}));
    sim::Image s = sim::ReadPng(sheet.string());
    EXPECT_EQ(s.width, 8 + 3 * (400 + 8));
    EXPECT_TRUE(Contains(r.output, "wrote 3 frames to " + dir.string())) << r.output;
    EXPECT_TRUE(fs::is_symlink(sheet));
    EXPECT_EQ(std::distance(fs::directory_iterator(sheetDir), fs::directory_iterator()), 2);
}

// The bench lines: "panel=GA frames=20 median_us=... p99_us=... gl_calls=16 allocs=0".
std::vector<std::map<std::string, std::string>> BenchLines(const std::string &output)
{
    std::vector<std::map<std::string, std::string>> lines;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("panel=", 0) != 0) continue;
        std::map<std::string, std::string> kv;
        std::istringstream words(line);
        std::string w;
        while (words >> w) {
            size_t eq = w.find('=');
            if (eq != std::string::npos) kv[w.substr(0, eq)] = w.substr(eq + 1);
        }
        lines.push_back(kv);
    }
    return lines;
}

bool IsFigure(const std::string &s)
{
    return !s.empty() && s.find_first_not_of("0123456789.") == std::string::npos;
}

TEST(Run, BenchPrintsOneLinePerPanelWithCountedCalls)
{
    Result r = Sim({"--plugin", Probe(), "--screen", "320x200", "--frames", "20", "--bench"});
    ASSERT_EQ(r.code, 0) << r.output;
    EXPECT_TRUE(Contains(r.output, "flyer-sim: --gl software: GL_VENDOR \"")) << "which renderer drew\n" << r.output;
    auto lines = BenchLines(r.output);
    ASSERT_EQ(lines.size(), 2u) << r.output;
    const char *panels[] = {"GA", "Glass"};
    for (size_t i = 0; i < 2; ++i) {
        auto &kv = lines[i];
        EXPECT_EQ(kv["panel"], panels[i]);
        EXPECT_EQ(kv["frames"], "20");
        EXPECT_TRUE(IsFigure(kv["median_us"])) << kv["median_us"];
        EXPECT_TRUE(IsFigure(kv["p99_us"])) << kv["p99_us"];
        EXPECT_TRUE(IsFigure(kv["self_us"])) << kv["self_us"];
        EXPECT_EQ(kv["gl_calls"], "16");  // two windows, eight GL calls each
        EXPECT_TRUE(kv["allocs"] == "0" || kv["allocs"] == "n/a") << kv["allocs"];
        EXPECT_EQ(kv.size(), 7u);
    }
    r = Sim({"--plugin", Probe("probe_alloc"), "--screen", "320x200", "--frames", "20", "--bench"});
    ASSERT_EQ(r.code, 0) << r.output;
    lines = BenchLines(r.output);
    ASSERT_EQ(lines.size(), 2u) << r.output;
    EXPECT_TRUE(lines[0]["allocs"] == "1" || lines[0]["allocs"] == "n/a") << r.output;
}

// --gl gpu draws with a card or fails saying there is none and what was
// looked for; --gl auto then draws what --gl software does.
TEST(Run, GlTakesACardOrSaysThereIsNone)
{
    auto run = [](const char *gl, const fs::path &png) {
        fs::remove(png);
        return Exec({FLYER_SIM, "--gl", gl, "--verbose", "--plugin", Probe(), "--screen", "320x200", "--at", "1",
                     "--png", png.string()});
    };
    const fs::path gpuPng = Scratch("gl-gpu.png"), autoPng = Scratch("gl-auto.png"), softPng = Scratch("gl-soft.png");
    const Result gpu = run("gpu", gpuPng);
    const bool card = gpu.code == 0;
    if (card) {
        EXPECT_TRUE(Contains(gpu.output, "flyer-sim: --gl gpu: GL_VENDOR \"")) << gpu.output;
        EXPECT_TRUE(Contains(gpu.output, "\", EGL's device platform, device ")) << gpu.output;
    } else {
        EXPECT_EQ(gpu.code, 1) << gpu.output;
        EXPECT_TRUE(Contains(gpu.output, "flyer-sim: error: --gl gpu: no graphics card: EGL")) << gpu.output;
        EXPECT_TRUE(Contains(gpu.output, "; --gl auto takes Mesa's software rasterizer where there is no card"))
            << gpu.output;
        EXPECT_FALSE(fs::exists(gpuPng));
    }
    const Result automatic = run("auto", autoPng), software = run("software", softPng);
    ASSERT_EQ(automatic.code, 0) << automatic.output;
    ASSERT_EQ(software.code, 0) << software.output;
    EXPECT_EQ(Contains(automatic.output, "(no graphics card: "), !card) << automatic.output;
    if (!card) {
        EXPECT_TRUE(sim::ReadPng(autoPng.string()).rgba == sim::ReadPng(softPng.string()).rgba);
    }
}

TEST(Run, GarminLogReplays)
{
    Result r = Sim({"--plugin", Probe(), "--screen", "320x200", "--flight",
                    SIM_DATA_DIR "/g1000-midnight.csv"});
    EXPECT_EQ(r.code, 0) << r.output;
    EXPECT_TRUE(Contains(r.output, "airframe \"Cessna 172S\"")) << r.output;
    EXPECT_TRUE(Contains(r.output, "2023-06-02 23:59:57 to 2023-06-03 00:00:03")) << r.output;
}

// Logs as avionics leave them, padded to their preallocated size or cut
// mid-line by a power loss, replay and say once what they left out.
TEST(Run, PaddedAndCutLogsReplaySayingWhatWasLeftOut)
{
    for (const std::string file : {"g1000-midnight.csv", "xplane-ils.txt"}) {
        const std::string text = Read(SIM_DATA_DIR "/" + file);
        const size_t last = text.rfind('\n', text.size() - 2) + 1;
        const std::pair<std::string, const char *> logs[] = {
            {Write("padded-" + file, text + std::string(64 << 10, '\0')), "ignored the 65536 bytes of NUL padding"},
            {Write("cut-" + file, text.substr(0, (last + text.size()) / 2)), "last line cut short; skipped"},
        };
        for (const auto &[log, said] : logs) {
            Result r = Sim({"--plugin", Probe(), "--screen", "320x200", "--flight", log});
            EXPECT_EQ(r.code, 0) << r.output;
            EXPECT_TRUE(Contains(r.output, said)) << r.output;
            EXPECT_EQ(r.output.find(said), r.output.rfind(said)) << r.output;
        }
    }
}

// Runs flyer-sim writing a video with a shell script as the ffmpeg it finds
// first on the PATH, in the folder `dir`.
Result WithStandInFfmpeg(const fs::path &dir, const std::string &script, std::vector<std::string> args)
{
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "ffmpeg") << "#!/bin/sh\n" << script;
    fs::permissions(dir / "ffmpeg", fs::perms::owner_all);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (dir.string() + ":" + path).c_str(), 1);
    args.insert(args.end(), {"--video", (dir / "run.mp4").string()});
    Result r = Sim(args);
    setenv("PATH", path.c_str(), 1);
    return r;
}

// What flyer-sim pipes to ffmpeg, kept by a stand-in: its frames, cut to
// the crop its filter names, if any.
struct PipedVideo {
    int width = 0, height = 0;
    std::string filter;
    std::vector<std::vector<uint8_t>> frames;
};

PipedVideo PipeToStandIn(const std::vector<std::string> &args, const std::string &name)
{
    const fs::path dir = Scratch(name);
    Result r = WithStandInFfmpeg(dir,
                                 "printf '%s\\n' \"$@\" > \"$0.args\"\ncat > \"$0.raw\"\n"
                                 "for last; do :; done\n: > \"$last\"\n",
                                 args);
    EXPECT_EQ(r.code, 0) << r.output;

    PipedVideo v;
    std::istringstream argsText(Read(dir / "ffmpeg.args"));
    for (std::string a, prev; std::getline(argsText, a); prev = a) {
        if (prev == "-s") std::sscanf(a.c_str(), "%dx%d", &v.width, &v.height);
        if (prev == "-vf") v.filter = a;
    }
    int w = v.width, h = v.height, x = 0, y = 0;
    if (std::sscanf(v.filter.c_str(), "crop=%d:%d:%d:%d", &w, &h, &x, &y) != 4) w = v.width, h = v.height;
    const std::string raw = Read(dir / "ffmpeg.raw");
    const size_t row = size_t(v.width) * 4, frame = row * size_t(v.height);
    for (size_t at = 0; frame > 0 && at + frame <= raw.size(); at += frame) {
        std::vector<uint8_t> cut;
        for (int line = y; line < y + h; ++line) {
            const char *p = raw.data() + at + size_t(line) * row + size_t(x) * 4;
            cut.insert(cut.end(), p, p + size_t(w) * 4);
        }
        v.frames.push_back(std::move(cut));
    }
    fs::remove_all(dir);
    return v;
}

TEST(Run, VideoDecodesWithItsFramesSizeAndDuration)
{
    if (!Have("ffprobe")) GTEST_SKIP() << "ffprobe is not installed (Debian's ffmpeg)";
    const std::string panelW = std::to_string(GA_PANEL.w), panelH = std::to_string(GA_PANEL.h);
    const std::string evenW = std::to_string(GA_PANEL.w + GA_PANEL.w % 2);
    struct Case {
        std::vector<std::string> args;
        std::string stream;  // what ffprobe reports
        const char *file = "run.mp4";
    } cases[] = {
        {{"--plugin", Probe(), "--screen", "320x200", "--duration", "2"},
         "codec_name=h264\nwidth=320\nheight=200\nnb_read_frames=21\nduration=2.100000\n"},
        {{"--plugin", Probe(), "--screen", "320x200", "--duration", "1", "--from", "0.5", "--video-size", "160x100"},
         "codec_name=h264\nwidth=160\nheight=100\nnb_read_frames=6\nduration=0.600000\n"},
        // The GA panel's window, made even for H.264; an animated GIF takes it as it is.
        {{"--screen", "640x400", "--duration", "4", "--video-size", "panel"},
         "codec_name=h264\nwidth=" + evenW + "\nheight=" + panelH + "\nnb_read_frames=41\nduration=4.100000\n"},
        {{"--screen", "640x400", "--duration", "1", "--video-size", "panel"},
         "codec_name=gif\nwidth=" + panelW + "\nheight=" + panelH + "\nnb_read_frames=11\nduration=1.100000\n",
         "run.gif"},
    };
    for (Case &c : cases) {
        const fs::path video = Scratch(c.file);
        fs::remove(video);
        c.args.insert(c.args.end(), {"--fps", "10", "--video", video.string()});
        Result r = Sim(c.args);
        ASSERT_EQ(r.code, 0) << r.output;
        Result probe = Exec({"ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                             "stream=codec_name,width,height,nb_read_frames:format=duration", "-of",
                             "default=nw=1", video.string()});
        EXPECT_EQ(probe.output, c.stream) << r.output;
    }
    // Forty-one frames are enough for progress: plain lines, stderr not being a terminal.
    EXPECT_TRUE(Contains(Sim(cases[2].args).output, "flyer-sim: video: 41 of 41 frames in"));
}

// An ffmpeg that stops reading part-way, or fails at the end, fails the run
// with its status, and the frames queued for it do not hold the run up.
TEST(Run, VideoFailsWhenFfmpegStopsOrFails)
{
    const std::vector<std::string> run = {"--plugin", Probe(), "--screen", "320x200", "--fps", "10", "--duration", "3"};
    struct Case {
        const char *script, *message;
    } cases[] = {
        {"head -c 100000 > /dev/null; exit 3\n", "ffmpeg stopped taking frames for "},
        {"cat > /dev/null; exit 4\n", "ffmpeg failed writing "},
    };
    for (const Case &c : cases) {
        const fs::path dir = Scratch("failing-ffmpeg");
        Result r = WithStandInFfmpeg(dir, c.script, run);
        EXPECT_EQ(r.code, 1) << r.output;
        EXPECT_TRUE(Contains(r.output, c.message + (dir / "run.mp4").string())) << r.output;
        EXPECT_TRUE(Contains(r.output, std::string("(exit status ") + c.script[std::strlen(c.script) - 2] + ")"))
            << r.output;
        fs::remove_all(dir);
    }
}

TEST(Run, PreviewWindowUnderXvfbSavesAScreenshot)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    const fs::path png = Scratch("window.png");
    fs::remove(png);
    Result r = Exec({"xvfb-run", "-a", "-s", "-screen 0 640x480x24", FLYER_SIM, "--gl", "software", "--plugin",
                     Probe(), "--window", "--screen", "480x360", "--screenshot", png.string(), "--duration", "0.5"});
    ASSERT_EQ(r.code, 0) << r.output;
    sim::Image img = sim::ReadPng(png.string());
    ASSERT_EQ(img.width, 480);
    ASSERT_EQ(img.height, 360);
    const uint8_t *a = img.at(150, img.height - 1 - 120);
    EXPECT_GT(a[0], 200);  // window A drawn in the preview
    EXPECT_LT(a[1], 60);
}

// The real plug-in over the whole default flight. In the sanitizer build this
// is the run under AddressSanitizer and UndefinedBehaviorSanitizer.
TEST(RealPlugin, FliesTheWholeDefaultFlightCleanly)
{
    Result r = Sim({"--fps", "10"});
    EXPECT_EQ(r.code, 0) << r.output;
    EXPECT_TRUE(Contains(r.output, "all checks passed")) << r.output;
}

TEST(RealPlugin, BothPanelsTakeNonFiniteAndHugeValues)
{
    for (const char *panel : {"GA", "Glass"}) {
        std::vector<std::string> args = {"--fps", "2", "--at", "12", "--png", Scratch("nonfinite.png").string()};
        if (std::string(panel) == "Glass") args.insert(args.end(), {"--command", "sim/view/ostrel_select@0"});
        const char *floats[] = {"sim/cockpit2/gauges/indicators/airspeed_kts_pilot=nan",
                                "sim/flightmodel/misc/h_ind=inf",
                                "sim/cockpit2/gauges/indicators/vvi_fpm_pilot=-inf",
                                "sim/flightmodel/position/theta=1e30",
                                "sim/flightmodel/position/phi=-1e30",
                                "sim/flightmodel/position/mag_psi=nan",
                                "sim/cockpit2/radios/indicators/nav1_dme_distance_nm=inf",
                                "sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot=-inf",
                                "sim/cockpit2/autopilot/flight_director_pitch_deg=nan",
                                "sim/cockpit2/gauges/actuators/barometer_setting_in_hg_pilot=1e30"};
        for (const char *f : floats) args.insert(args.end(), {"--set", f});
        args.insert(args.end(), {"--set", "sim/cockpit2/radios/indicators/nav1_has_dme=1", "--set",
                                 "sim/cockpit2/autopilot/flight_director_mode=1"});
        Result r = Sim(args);
        EXPECT_EQ(r.code, 0) << panel << "\n" << r.output;
    }
}

// Frames written without drawing the frames between them come out as when
// every frame is drawn: through the splash, a drag that is hidden and shown
// again half-way, panel switches and scaling, and the flight hiding the panel
// by its view type while the mouse presses where it was.
TEST(RealPlugin, FramesMatchThoseOfTheFaithfulLoop)
{
    const std::string flight = Write("views.csv",
                                     "time,sim/graphics/view/view_type,sim/flightmodel/position/phi,"
                                     "sim/cockpit2/gauges/indicators/airspeed_kts_pilot\n"
                                     "0,1017,0,60\n5.5,1026,20,90\n7,1017,-10,110\n14,1017,5,80\n");
    const std::string events = Write("drag.txt",
                                     "0.5 down 100 100\n0.8 drag 150 120\n1.2 drag 200 150\n"
                                     "1.5 command sim/view/ostrel_flyer_on_off\n1.9 drag 210 160\n"
                                     "2.3 command sim/view/ostrel_flyer_on_off\n2.6 drag 220 140\n3.0 up 220 140\n"
                                     "4.0 command sim/view/ostrel_select\n5.2 command sim/view/ostrel_panel_larger\n"
                                     "6.0 down 50 50\n6.3 drag 90 70\n6.6 up 90 70\n"
                                     "7.5 down 60 60\n8.0 drag 30 20\n8.4 up 30 20\n"
                                     "9.0 command sim/view/ostrel_transparency\n");
    const std::vector<std::string> run = {"--screen", "640x400", "--fps", "10", "--flight", flight, "--events", events};
    std::map<std::string, std::vector<sim::Image>> frames;
    for (const char *loop : {"fast", "--every-frame"}) {
        const fs::path dir = Scratch(std::string("loop") + loop);
        fs::remove_all(dir);
        std::vector<std::string> args = run;
        args.insert(args.end(), {"--out", dir.string(), "--every", "7"});
        if (loop[0] == '-') args.push_back(loop);
        Result r = Sim(args);
        ASSERT_EQ(r.code, 0) << r.output;
        for (int k = 0; k <= 140; k += 7) {
            char name[32];
            std::snprintf(name, sizeof name, "frame_%05d.png", k);
            frames[loop].push_back(sim::ReadPng((dir / name).string()));
        }
        args = run;
        args.insert(args.end(), {"--at", "6.45", "--png", Scratch("at.png").string()});
        if (loop[0] == '-') args.push_back(loop);
        r = Sim(args);
        ASSERT_EQ(r.code, 0) << r.output;
        frames[loop].push_back(sim::ReadPng(Scratch("at.png").string()));
    }
    ASSERT_EQ(frames["fast"].size(), frames["--every-frame"].size());
    for (size_t i = 0; i < frames["fast"].size(); ++i)
        EXPECT_TRUE(frames["fast"][i].rgba == frames["--every-frame"][i].rgba) << "frame " << i * 7;
    // The events did move and switch the panel.
    EXPECT_FALSE(frames["fast"][4].rgba == frames["fast"][8].rgba);
}

// A video that keeps part of the screen draws, reads and pipes only that
// part, and its frames are byte for byte those of the faithful loop, which
// draws the whole screen and has ffmpeg cut the part out: both panels through
// the splash, a drag that takes the panel partly out of the part and off the
// screen, and a transparency step; and a screen of odd sides cut to even ones.
TEST(RealPlugin, VideosOfAPartHaveTheFramesOfTheWholeScreenCut)
{
    const std::string events = Write("part-events.txt",
                                     "0.5 down 100 100\n1.0 drag 160 60\n1.5 up 160 60\n"
                                     "2.0 command sim/view/ostrel_transparency\n");
    struct Case {
        const char *name;
        std::vector<std::string> args;
    } cases[] = {
        {"ga", {"--screen", "640x400", "--video-size", "panel"}},
        {"glass", {"--screen", "640x400", "--video-size", "panel", "--command", "Switch@0"}},
        {"odd", {"--screen", "321x201"}},
    };
    for (Case &c : cases) {
        c.args.insert(c.args.end(), {"--fps", "10", "--duration", "2.5", "--events", events});
        const PipedVideo part = PipeToStandIn(c.args, std::string("part-") + c.name);
        c.args.push_back("--every-frame");
        const PipedVideo whole = PipeToStandIn(c.args, std::string("whole-") + c.name);
        EXPECT_EQ(part.filter, "") << c.name;  // nothing left for ffmpeg to cut
        EXPECT_TRUE(whole.filter.rfind("crop=", 0) == 0) << c.name << ": " << whole.filter;
        ASSERT_EQ(part.frames.size(), 26u) << c.name;
        ASSERT_EQ(whole.frames.size(), 26u) << c.name;
        for (size_t i = 0; i < part.frames.size(); ++i)
            EXPECT_TRUE(part.frames[i] == whole.frames[i]) << c.name << ", frame " << i;
        // The drag and the step did change the picture.
        EXPECT_FALSE(part.frames[4] == part.frames[16]) << c.name;
        EXPECT_FALSE(part.frames[16] == part.frames[25]) << c.name;
    }
}

// Seeking costs about the same whatever the time: the frames before it are not drawn.
TEST(RealPlugin, SeekingLateInALongLogTakesAboutAsLongAsEarly)
{
    std::ofstream(Scratch("half-hour.csv")) << simtest::GarminLog(1800);
    auto seconds = [&](const char *at) {
        auto start = std::chrono::steady_clock::now();
        Result r = Sim({"--flight", Scratch("half-hour.csv").string(), "--at", at, "--png", Scratch("seek.png").string()});
        EXPECT_EQ(r.code, 0) << r.output;
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const double early = seconds("1"), late = seconds("1790");
    // Drawing 53,700 frames on the way would take minutes.
    EXPECT_LT(late, 2 * early + 2) << "early " << early << " s, late " << late << " s";
}

// X-Plane's Data.txt, '|' and comma forms, through both panels; the paused
// tail of the first is one warning.
TEST(RealPlugin, XPlaneDataReplaysThroughBothPanels)
{
    for (const char *file : {"xplane-ils.txt", "xplane-ils-comma.csv"})
        for (const char *panel : {"GA", "Glass"}) {
            std::vector<std::string> args = {"--flight", std::string(SIM_DATA_DIR "/") + file, "--at", "9",
                                             "--png", Scratch("xplane.png").string()};
            if (std::string(panel) == "Glass") args.insert(args.end(), {"--command", "sim/view/ostrel_select@0"});
            Result r = Sim(args);
            EXPECT_EQ(r.code, 0) << file << " " << panel << "\n" << r.output;
            EXPECT_TRUE(Contains(r.output, "X-Plane data output")) << r.output;
            size_t warnings = 0;
            for (size_t at = r.output.find("warning:"); at != std::string::npos; at = r.output.find("warning:", at + 1))
                ++warnings;
            EXPECT_EQ(warnings, std::string(file) == "xplane-ils.txt" ? 1u : 0u) << r.output;
        }
}

// X-Plane 12 publishes the heading as mag_psi and as magpsi, which it marks
// replaced; X-Plane 10 only as magpsi. Both panels show mag_psi where it is
// published (90, magpsi at 0), magpsi where it is not: the same panel, and
// not the one of heading 0.
TEST(RealPlugin, BothPanelsShowMagPsiWherePublishedElseMagpsi)
{
    for (const char *panel : {"GA", "Glass"}) {
        const bool ga = std::string(panel) == "GA";
        const PanelSize size = ga ? GA_PANEL : GLASS_PANEL;
        auto panelAt = [&](std::vector<std::string> args) {
            const std::string png = Scratch("heading.png").string();
            args.insert(args.end(), {"--flight", "rest", "--screen", "640x400", "--at", "12", "--png", png});
            if (!ga) args.insert(args.end(), {"--command", "Switch@0"});
            Result r = Sim(args);
            EXPECT_EQ(r.code, 0) << r.output;
            return sim::ReadPng(png).cropped({0, 400 - size.h, size.w, size.h}).rgba;
        };
        const auto xplane12 = panelAt({"--set", "sim/flightmodel/position/mag_psi=90", "--set",
                                       "sim/flightmodel/position/magpsi=0"});
        const auto xplane10 = panelAt({"--missing", "sim/flightmodel/position/mag_psi", "--set", "HeadingOld=90"});
        EXPECT_TRUE(xplane12 == xplane10) << panel;
        EXPECT_FALSE(xplane12 == panelAt({})) << panel;
    }
}

TEST(RealPlugin, VerboseEchoesTheLogAndSpeechAndLogGoesToTheFile)
{
    const std::string log = Scratch("real.log").string();
    Result r = Sim({"--texture", "/no/such/Ostrel.tga", "--missing", "sim/graphics/view/view_type", "--verbose",
                    "--log", log, "--fps", "10", "--duration", "0.2"});
    EXPECT_EQ(r.code, 1) << r.output;  // without its texture the plug-in draws nothing
    for (const char *line : {"warning: no texture at /no/such/Ostrel.tga",
                             "[log] Ostrel-Flyer: Bad DataRef (ViewData) Error!",
                             "[speak] Warning, The Ostrel Flyer Plugin has encountered a critical dataref error.",
                             "[log] Ostrel-Flyer: Failed to bind the master texture."})
        EXPECT_TRUE(Contains(r.output, line)) << line << "\n" << r.output;
    EXPECT_EQ(Read(log), "Ostrel-Flyer: Bad DataRef (ViewData) Error!\n"
                         "Ostrel-Flyer: Failed to bind the master texture.\n");
}

TEST(RealPlugin, BenchCountsEveryGlFunctionThePluginImports)
{
    Result r = Sim({"--frames", "5", "--bench", "--screen", "640x400"});
    EXPECT_EQ(r.code, 0) << r.output;
    EXPECT_EQ(BenchLines(r.output).size(), 2u) << r.output;
    EXPECT_FALSE(Contains(r.output, "which gl_calls does not count")) << r.output;
}
