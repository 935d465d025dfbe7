#include "Options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "Help.h"
#include "flights/InputText.h"
#include "live/Datagrams.h"
#include "net/Address.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <filesystem>
#endif

// OSTREL_DEFAULT_PLUGIN and OSTREL_DEFAULT_TEXTURE come from the build
// (cli/CMakeLists.txt).

namespace sim {

namespace {

// The default plug-in and texture. On Windows they lie beside the program,
// wherever it is started from (the pilot's unpacked folder).
std::string Default(const char *path)
{
#ifdef _WIN32
    char program[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return (std::filesystem::path(program).parent_path() / path).string();
#endif
    return path;
}

std::string ParseBackground(const std::string &s, Options &opts)
{
    if (s == "outside") return {};
    std::string hex = !s.empty() && s[0] == '#' ? s.substr(1) : s;
    unsigned v = 0;
    char extra = 0;
    if (hex.size() != 6 || std::sscanf(hex.c_str(), "%6x%c", &v, &extra) != 1)
        return "--background: expected \"outside\" or a colour RRGGBB, got \"" + s + "\"";
    opts.outsideView = false;
    opts.background[0] = float((v >> 16) & 255) / 255.0f;
    opts.background[1] = float((v >> 8) & 255) / 255.0f;
    opts.background[2] = float(v & 255) / 255.0f;
    return {};
}

std::string ParseScreen(const std::string &s, int &w, int &h)
{
    int a = 0, b = 0;
    char x = 0, extra = 0;
    if (std::sscanf(s.c_str(), "%d%c%d%c", &a, &x, &b, &extra) != 3 || (x != 'x' && x != 'X'))
        return "--screen: expected WIDTHxHEIGHT, e.g. 1280x800, got \"" + s + "\"";
    if (a < 64 || b < 64 || a > 8192 || b > 8192)
        return "--screen: each side must be 64 to 8192 pixels, got \"" + s + "\"";
    w = a;
    h = b;
    return {};
}

// HOST or HOST:PORT, as far as it can be told without looking the name up.
std::string CheckLiveAddress(const std::string &s)
{
    try {
        net::ParseHostPort(s, "", live::kDefaultXPlanePort);
    } catch (const net::AddressError &e) {
        return std::string("--live: expected X-Plane's HOST or HOST:PORT (a port from 1 to 65535), e.g. 192.168.1.20 or "
                           "sim-pc:49000, got ") + e.what();
    }
    return {};
}

// An option a mode does not take, and why.
struct NotWith {
    const char *option;
    const char *why;
};

// Each option of `table` that was given is an error: "--at is not used with --live: ...".
template <size_t N>
void RefuseGiven(const CLI::App &app, const char *mode, const NotWith (&table)[N], std::vector<std::string> &errors)
{
    for (const NotWith &r : table)
        if (app.count(r.option)) errors.push_back(std::string(r.option) + " is not used with " + mode + ": " + r.why);
}

// What --live does not take: the options of replays, each with why.
void CheckLiveCombinations(const CLI::App &app, const Options &opts, std::vector<std::string> &errors)
{
    const NotWith replayOnly[] = {
        {"--flight", "the values come from X-Plane, not a flight"},
        {"--at", "to write the frame after S seconds use --png FILE --duration S"},
        {"--out", "frame sequences are for replays; use --video FILE"},
        {"--sheet", "contact sheets are for replays; use --video FILE"},
        {"--every", "frame sequences are for replays"},
        {"--from", "a live run starts at once; use --video FILE from the start"},
        {"--bench", "time the panels with --bench on a replay"},
        {"--frames", "a live run lasts --duration S seconds, or until stopped"},
        {"--demo", "the demo flies the built-in circuit"},
        {"--every-frame", "every live frame is drawn"},
    };
    RefuseGiven(app, "--live", replayOnly, errors);
    const bool png = !opts.png.empty(), video = !opts.video.empty();
    if (opts.window && (png || video))
        errors.push_back("--live --window: save its last frame with --screenshot FILE (and --duration S); "
                         "--png and --video write without a window");
    if (!opts.window && !png && !video && opts.serve.empty())
        errors.push_back("--live needs an output: --window, --serve [ADDR:]PORT, --video FILE, or --png FILE with "
                         "--duration S");
    if (png && !opts.duration && !opts.at)
        errors.push_back("--live --png FILE needs --duration S: the frame written is the last one, after S seconds");
}

// What --serve takes and does not: an address to listen on, and a run in
// real time that draws the panel (a replay or --live, with or without the
// window); files are written by runs of their own.
void CheckServe(const CLI::App &app, const Options &opts, std::vector<std::string> &errors)
{
    try {
        const net::HostPort where = net::ParseHostPort(opts.serve, "127.0.0.1", 0, true);
        if (where.host.find_first_not_of("0123456789.") != std::string::npos && where.host.find(':') == std::string::npos)
            errors.push_back("--serve \"" + opts.serve + "\": the address to listen on is this computer's, as "
                             "digits: 127.0.0.1 (this computer only), 0.0.0.0 (every network) or one of its own");
    } catch (const net::AddressError &e) {
        errors.push_back(std::string("--serve: expected [ADDR:]PORT, e.g. 8080, 0.0.0.0:8080 or [::]:8080, got ") +
                         e.what());
    }
    const NotWith notServed[] = {
        {"--at", "the browser shows the run as it goes; write a frame with --at T --png FILE in a run of its own"},
        {"--png", "write a frame with --at T --png FILE in a run of its own"},
        {"--out", "write frames in a run of their own"},
        {"--sheet", "write contact sheets in a run of their own"},
        {"--video", "write videos in a run of their own"},
        {"--bench", "time the panels with --bench in a run of its own"},
        {"--demo", "the demo writes files; serve a flight with --flight"},
        {"--every-frame", "every served frame is drawn"},
    };
    RefuseGiven(app, "--serve", notServed, errors);
    if (opts.duration && opts.from >= *opts.duration)
        errors.push_back("--from " + FormatNumber(opts.from) + " is not before the end of the run at --duration " +
                         FormatNumber(*opts.duration) + ": a served replay starts at --from and ends at --duration");
}

int Refuse(const std::vector<std::string> &errors, std::ostream &err)
{
    for (const std::string &e : errors) err << "flyer-sim: error: " << Printable(e) << "\n";
    err << "Run with --help for the options.\n";
    return 2;
}

}  // namespace

std::string LongestRun()
{
    return FormatNumber(kMaxRunSeconds) + " s (" + FormatNumber(kMaxRunSeconds / 3600) + " hours)";
}

std::string ParseOverride(const std::string &text, Override &out)
{
    size_t eq = text.find('=');
    if (eq == std::string::npos) return "expected DATAREF=VALUE, got \"" + text + "\"";
    std::string why = ParseDatarefKey(std::string_view(text).substr(0, eq), out.key);
    if (!why.empty()) return why;
    std::string_view value = std::string_view(text).substr(eq + 1);
    if (!ParseNumber(value, out.value))
        return "bad value \"" + std::string(value) + "\" for " + out.key.text();
    if (out.key.info->type == DatarefType::Int &&
        (!std::isfinite(out.value) || out.value != std::floor(out.value)))
        return out.key.text() + " takes whole numbers, not \"" + std::string(value) + "\"";
    if (out.key.info->type == DatarefType::Int &&
        (out.value < -2147483648.0 || out.value > 2147483647.0))
        return out.key.text() + " is an int: " + std::string(value) +
               " is outside -2147483648 to 2147483647";
    return {};
}

int ParseOptions(int argc, char **argv, Options &opts, std::ostream &out, std::ostream &err)
{
    CLI::App app{"flyer-sim: flies the Ostrel-Flyer plug-in without the simulator. It loads the\n"
                 "plug-in as the simulator does, feeds it a flight, delivers commands and mouse\n"
                 "events and renders what it draws over a simple outside view.",
                 "flyer-sim"};
    app.footer(HelpFooter());
    app.get_formatter()->column_width(34);

    opts.plugin = Default(OSTREL_DEFAULT_PLUGIN);
    opts.texture = Default(OSTREL_DEFAULT_TEXTURE);
    std::string screen = std::to_string(opts.screenWidth) + "x" + std::to_string(opts.screenHeight);
    std::string background = "outside";
    std::vector<std::string> sets, missing, commands;
    std::string gl;

    app.add_option("--plugin", opts.plugin, "Plug-in library to load")
        ->type_name("PATH")->capture_default_str();
    app.add_option("--texture", opts.texture, "Master texture copied in as " OSTREL_TEXTURE_IN_SIM)
        ->type_name("PATH")->capture_default_str();
    app.add_option("--flight", opts.flight,
                   "circuit, rest, a flight CSV file, a Garmin flight data log or X-Plane's Data.txt")
        ->type_name("NAME|FILE")->capture_default_str();
    app.add_option("--screen", screen, "Screen size in pixels")->type_name("WxH")->capture_default_str();
    app.add_option("--view", opts.view, "View type (sim/graphics/view/view_type)")
        ->type_name("N")->capture_default_str();
    app.add_option("--fps", opts.fps, "Frames per second of elapsed time")->type_name("F")->capture_default_str();
    app.add_option("--background", background, "Under the panel: outside (sky and ground) or a colour RRGGBB")
        ->type_name("outside|RRGGBB")->capture_default_str();
    app.add_option("--set", sets, "Fix a dataref for the whole run, by full or short name "
                                  "(Airspeed=95); name[i]=v for array elements; "
                                  "floats take nan, inf, -inf (repeatable)")
        ->type_name("DATAREF=VALUE");
    app.add_option("--missing", missing, "Make a dataref absent (repeatable)")->type_name("DATAREF");
    app.add_option("--command", commands, "Fire a command's begin then end phase at T seconds, by full or short name "
                                          "(Switch@0) (repeatable)")
        ->type_name("NAME@T");
    app.add_option("--events", opts.eventsFile, "Timed command phases and mouse events (below)")
        ->type_name("FILE");
    app.add_option("--at", opts.at, "Render the frame at elapsed time T seconds (with --png)")->type_name("T");
    app.add_option("--png", opts.png, "PNG file for the --at frame")->type_name("FILE");
    app.add_option("--out", opts.outDir, "Folder for a frame sequence frame_NNNNN.png (frame numbers)")
        ->type_name("DIR");
    app.add_option("--duration", opts.duration, "Seconds to run (default: the flight's length)")
        ->type_name("S");
    app.add_option("--every", opts.every, "Write every Nth frame to --out")->type_name("N")->capture_default_str();
    app.add_option("--from", opts.from,
                   "First second written to --out and --video, timed by --bench or served first by --serve")
        ->type_name("T")->capture_default_str();
    app.add_option("--video", opts.video,
                   "Write the run as an H.264 MP4 (FILE.gif: an animated GIF) at --fps, through the "
                   "ffmpeg program")
        ->type_name("FILE.mp4");
    app.add_option("--video-size", opts.videoSize,
                   "With --video: scale the screen to WxH (even sides), or \"panel\": crop to the "
                   "plug-in's window as first written")
        ->type_name("WxH|panel");
    app.add_flag("--every-frame", opts.everyFrame,
                 "Draw every frame through the driver, also those not written (slower; the default "
                 "calls the plug-in between written frames only where events or the view type change)");
    app.add_option("--sheet", opts.sheet, "Contact sheet PNG of frames with their times")->type_name("FILE");
    app.add_option("--sheet-frames", opts.sheetFrames, "Frames on the contact sheet, evenly spread")
        ->type_name("K")->capture_default_str();
    app.add_option("--log", opts.log, "Write the plug-in's log to this file")->type_name("FILE");
    app.add_flag("--verbose", opts.verbose, "Echo the log and spoken strings to stderr");
    app.add_option("--frames", opts.frames, "Frames to run with --bench")->type_name("N");
    app.add_flag("--bench", opts.bench,
                 "Time N frames per panel type; print panel=GA|Glass frames median_us p99_us self_us "
                 "(GL going nowhere) gl_calls allocs");
    app.add_flag("--window", opts.window, "Interactive preview window (GLFW), in real time");
    app.add_option("--screenshot", opts.screenshot, "With --window: save the frame at --duration (default 2 s) and quit")
        ->type_name("FILE");
    app.add_option("--demo", opts.demo, "Both panels over the flight: sheets, sequences, stills and videos in DIR")
        ->type_name("DIR");
    app.add_option("--live", opts.liveAddress,
                   "Show a running X-Plane's flight (its UDP interface; no address: found by its beacon), "
                   "with --window, --video or --png and --duration")
        ->type_name("[HOST[:PORT]]")->expected(0, 1);
    // Tests listen for their stand-in X-Plane's beacon on a port of their own.
    app.add_option("--live-beacon-port", opts.liveBeaconPort)->group("");
    app.add_option("--gl", gl,
                   "What draws: auto (a graphics card where there is one, else Mesa's software rasterizer), "
                   "gpu (a card, or an error), software (Mesa's); default: auto for --video, --window, "
                   "--live and --serve, software for images and --bench")
        ->type_name("auto|gpu|software");
    app.add_option("--serve", opts.serve,
                   "Show the panel in web browsers (a tablet on the same network) at http://ADDR:PORT/, "
                   "replaying or with --live, with or without --window; ADDR 127.0.0.1 unless given, 0.0.0.0 "
                   "for every network")
        ->type_name("[ADDR:]PORT");
    app.add_option("--serve-clients", opts.serveClients, "With --serve: browsers that may watch at once")
        ->type_name("N")->capture_default_str();
    app.add_flag("--allow-large", opts.allowLarge,
                 "Go ahead with a run that would write more than " + std::to_string(kManyFiles) + " files or " +
                     FormatNumber(kManyBytes / 1e9) + " GB (refused without it)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp &e) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError &e) {
        err << "flyer-sim: error: " << Printable(e.what()) << "\nRun with --help for the options.\n";
        return 2;
    }

    opts.live = app.count("--live") > 0;
    std::vector<std::string> errors;
    auto check = [&](bool ok, const std::string &message) {
        if (!ok) errors.push_back(message);
    };
    // Each option with the value as it was typed: "--from 600".
    auto given = [&](const char *name) { return app.count(name) > 0; };
    auto text = [&](const char *name) {
        const CLI::Option *o = app.get_option(name);
        return o->results().empty() ? std::string() : o->results().back();
    };
    auto typed = [&](const char *name) { return std::string(name) + " " + text(name); };
    // No option takes an empty value, nor another option as its value (a
    // value forgotten before the next option).
    for (const CLI::Option *o : app.get_options()) {
        if (o->count() == 0 || o->get_type_size_max() == 0) continue;
        for (const std::string &v : o->results()) {
            if (v.empty() && o->get_expected_min() > 0)  // --live alone is no empty value
                errors.push_back(o->get_name() + ": empty value; expected " + o->get_type_name());
            else if ((v.size() > 2 && v.compare(0, 2, "--") == 0) || v == "-h")
                errors.push_back(o->get_name() + ": expected " + o->get_type_name() + ", got the option " + v +
                                 " (each option takes its value right after it)");
        }
    }
    if (!errors.empty()) return Refuse(errors, err);

    opts.fpsGiven = given("--fps");
    opts.sheetFramesGiven = given("--sheet-frames");
    std::string why = ParseScreen(screen, opts.screenWidth, opts.screenHeight);
    check(why.empty(), why);
    why = ParseBackground(background, opts);
    check(why.empty(), why);
    check(std::isfinite(opts.fps) && opts.fps >= 1 && opts.fps <= kMaxFps,
          typed("--fps") + ": must be 1 to " + FormatNumber(kMaxFps) + " frames a second");
    for (const std::string &s : sets) {
        Override o;
        why = ParseOverride(s, o);
        check(why.empty(), "--set: " + why);
        if (why.empty()) opts.overrides.push_back(o);
    }
    for (const std::string &m : missing) {
        const DatarefInfo *d = FindDataref(m);
        check(d != nullptr, "--missing: unknown dataref \"" + m + "\"");
        if (d) opts.missing.push_back(d);
    }
    for (const std::string &c : commands) {
        Event e;
        why = ParseCommandAt(c, e);
        check(why.empty(), "--command: " + why);
        if (why.empty()) opts.commands.push_back(e);
    }
    // Times: finite, not negative, within the longest run.
    auto checkTime = [&](const char *name, double t) {
        if (!given(name)) return;
        check(std::isfinite(t) && t >= 0, typed(name) + ": must be 0 or more seconds");
        check(!(t > kMaxRunSeconds), typed(name) + ": flyer-sim runs at most " + LongestRun());
    };
    if (opts.at) checkTime("--at", *opts.at);
    if (opts.duration) checkTime("--duration", *opts.duration);
    checkTime("--from", opts.from);
    check(!opts.at || !opts.png.empty(), typed("--at") + " needs --png FILE");
    check(opts.png.empty() || opts.at || opts.live, typed("--png") + " needs --at T (or --live with --duration S)");
    check(!opts.at || !opts.duration || !(*opts.at > *opts.duration),
          typed("--at") + " is after the end of the run at " + text("--duration") +
              " s (--duration); leave --duration out, or use --duration " + text("--at"));
    check(opts.every >= 1, typed("--every") + ": must be 1 or more");
    check(opts.every == 1 || !opts.outDir.empty(), typed("--every") + " is used with --out");
    check(opts.from == 0 || !opts.outDir.empty() || !opts.video.empty() || opts.bench || !opts.serve.empty(),
          typed("--from") + " is used with --out, --video, --bench or --serve");
    check(opts.sheetFrames >= 1 && opts.sheetFrames <= 400, typed("--sheet-frames") + ": must be 1 to 400");
    check(!opts.sheetFramesGiven || !opts.sheet.empty() || !opts.demo.empty(),
          typed("--sheet-frames") + " is used with --sheet or --demo");
    check(opts.frames >= 0 && opts.frames <= kMaxBenchFrames,
          typed("--frames") + ": must be 1 to " + std::to_string(kMaxBenchFrames));
    check(!opts.bench || opts.frames >= 1, "--bench needs --frames N (1 to " + std::to_string(kMaxBenchFrames) + ")");
    check(opts.bench || opts.frames == 0, typed("--frames") + " is used with --bench");
    check(opts.screenshot.empty() || opts.window, typed("--screenshot") + " is used with --window");
    check(opts.videoSize.empty() || !opts.video.empty(), typed("--video-size") + " is used with --video");
    if (!opts.videoSize.empty() && opts.videoSize != "panel") {
        int w = 0, h = 0;
        why = ParseScreen(opts.videoSize, w, h);
        check(why.empty(), "--video-size: expected WxH or panel, got \"" + opts.videoSize + "\"");
        check(!why.empty() || (w % 2 == 0 && h % 2 == 0),
              "--video-size: H.264 needs even sides, got \"" + opts.videoSize + "\"");
    }
    int modes = (opts.at ? 1 : 0) +
                (!opts.outDir.empty() || !opts.sheet.empty() || !opts.video.empty() ? 1 : 0) +
                (opts.bench ? 1 : 0) + (opts.window ? 1 : 0) + (!opts.demo.empty() ? 1 : 0);
    check(modes <= 1 || opts.live, "choose one of --at, --out/--sheet/--video, --bench, --window, --demo");
    if (given("--serve")) CheckServe(app, opts, errors);
    if (given("--serve-clients")) {
        check(given("--serve"), typed("--serve-clients") + " is used with --serve");
        check(opts.serveClients >= 1 && opts.serveClients <= 64, typed("--serve-clients") + ": must be 1 to 64");
    }
    if (opts.live) {
        if (!opts.liveAddress.empty()) {
            why = CheckLiveAddress(opts.liveAddress);
            check(why.empty(), why);
        }
        CheckLiveCombinations(app, opts, errors);
    }
    if (app.count("--live-beacon-port")) {
        check(opts.live, "--live-beacon-port is used with --live");
        check(opts.liveBeaconPort >= 1 && opts.liveBeaconPort <= 65535, "--live-beacon-port: must be 1 to 65535");
    }

    if (given("--gl")) {
        bool known = false;
        for (host::Renderer r : {host::Renderer::Auto, host::Renderer::Gpu, host::Renderer::Software})
            if (gl == host::RendererName(r)) {
                opts.gl = r;
                known = true;
            }
        check(known, "--gl: expected auto, gpu or software, got \"" + gl + "\"");
    } else {
#ifdef _WIN32
        opts.gl = host::Renderer::Auto;
#else
        const bool videoOnly = !opts.video.empty() && opts.outDir.empty() && opts.sheet.empty();
        opts.gl = videoOnly || opts.window || opts.live || !opts.serve.empty() ? host::Renderer::Auto
                                                                           : host::Renderer::Software;
#endif
    }

    if (!errors.empty()) return Refuse(errors, err);
    return -1;
}

int ParseOptions(int argc, char **argv, Options &opts)
{
    return ParseOptions(argc, argv, opts, std::cout, std::cerr);
}

}  // namespace sim
