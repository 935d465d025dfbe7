// The plain run and the written ones: a frame sequence (--out), a contact
// sheet (--sheet) and a video (--video), in any combination.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>

#include "Modes.h"
#include "cli/Options.h"
#include "host/OffscreenGL.h"
#include "flights/InputText.h"
#include "outputs/ContactSheet.h"
#include "figures/Progress.h"
#include "outputs/Video.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

// Frame numbers fit an int: kMaxRunSeconds at kMaxFps frames a second.
static_assert(kMaxRunSeconds * kMaxFps < 2147483647.0, "frame numbers overflow an int");

int FrameCount(double seconds, double fps)
{
    return int(std::floor(seconds * fps + 1e-9));
}

std::string FrameFile(const fs::path &dir, int k)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05d.png", k);
    return (dir / name).string();
}

// A run asked to write frames that would write none, or only the first of
// a sequence, is refused, saying what would.
void CheckSomethingWritten(const Plan &plan, double duration, int first, int last, int outLast)
{
    const bool writes = !plan.outDir.empty() || !plan.video.empty();
    const std::string from = "--from " + FormatNumber(plan.from);
    auto seconds = [](double t) { return FormatNumber(t) + " s"; };
    const std::string rate = " at " + FormatNumber(plan.fps) + " fps";
    if (writes && plan.from > 0 && plan.from >= duration) {
        if (plan.duration)
            throw UsageError(from + " is at or after the end of the run at " + seconds(duration) +
                             "; --duration is counted from 0: use --duration " + FormatNumber(plan.from + duration));
        throw UsageError(from + " is at or after the end of the flight at " + seconds(duration) +
                         ": nothing would be written; give a --from before it (or --duration to fly on past it)");
    }
    if (writes && first > last)
        throw UsageError(from + " is after the run's last frame at " + seconds(last / plan.fps) + " (" +
                         rate.substr(1) + "): nothing would be written");
    const int toOut = outLast - first + 1;
    if (!plan.outDir.empty() && plan.every > 1 && plan.every >= toOut)
        throw UsageError("--every " + std::to_string(plan.every) + ": the run has " + std::to_string(toOut) +
                         (toOut == 1 ? " frame" : " frames") + " to write to --out (" + seconds(first / plan.fps) +
                         " to " + seconds(outLast / plan.fps) + rate +
                         "), so only the first would be written; use --every " +
                         std::to_string(std::max(1, toOut - 1)) + " or less");
    if (!plan.sheet.empty() && plan.sheetFramesGiven && plan.sheetFrames > last + 1)
        throw UsageError("--sheet-frames " + std::to_string(plan.sheetFrames) + ": the run has " +
                         std::to_string(last + 1) + (last == 0 ? " frame" : " frames") + " (0 to " +
                         seconds(last / plan.fps) + rate + "); use --sheet-frames " + std::to_string(last + 1) +
                         " or less");
}

}  // namespace

RunVideo StartVideo(const Plan &plan, const Session &session, double t)
{
    const std::optional<PixelBox> panel = session.windowsBox();
    if (plan.videoSize == "panel" && !panel && session.windowsShown())
        throw UsageError("--video-size panel: the plug-in's window lies outside the " +
                         std::to_string(session.width()) + "x" + std::to_string(session.height()) +
                         " screen at t=" + FormatNumber(t) + " s: nothing of it would be written");
    if (plan.videoSize == "panel" && !panel)
        std::cerr << "flyer-sim: warning: --video-size panel: no window of the plug-in is shown "
                     "at the first frame; the video shows the whole screen\n";
    const int w = session.width(), h = session.height();
    const PixelBox *p = panel ? &*panel : nullptr;
    const bool evenSides = !IsGif(plan.video);
    const std::optional<PixelBox> part = VideoCrop(plan.videoSize, w, h, p, evenSides);
    // The faithful loop draws the whole screen and lets ffmpeg cut the part
    // out; otherwise only the part is drawn, read and piped.
    if (part && !plan.session.everyFrame)
        return {std::make_unique<VideoWriter>(plan.video, part->w, part->h, plan.fps, ""), part};
    return {std::make_unique<VideoWriter>(plan.video, w, h, plan.fps,
                                          VideoFilter(plan.videoSize, w, h, p, evenSides)),
            std::nullopt};
}

int RunSequence(const Plan &plan, const std::string &title)
{
    Input in = LoadInput(plan);
    const double duration = RunEnd(plan, in.flight);
    const int last = FrameCount(duration, plan.fps);
    const int first = int(std::ceil(plan.from * plan.fps - 1e-9));
    const int outLast = plan.outUntil ? std::min(last, FrameCount(*plan.outUntil, plan.fps)) : last;
    CheckSomethingWritten(plan, duration, first, last, outLast);

    std::set<int> sheetFrames;
    const int sheetCount = std::min(plan.sheetFrames, last + 1);
    if (!plan.sheet.empty())
        for (int i = 0; i < sheetCount; ++i)
            sheetFrames.insert(sheetCount == 1 ? 0 : int(std::lround(double(i) * last / (sheetCount - 1))));
    ContactSheet sheet(title.empty() ? "Ostrel-Flyer, flight " + in.flight.name : title);
    auto toOut = [&](int k) {
        return !plan.outDir.empty() && k >= first && k <= outLast && (k - first) % plan.every == 0;
    };
    auto toVideo = [&](int k) { return !plan.video.empty() && k >= first; };
    // A run that writes nothing is flown for its checks: every frame is drawn.
    const bool checksOnly = plan.outDir.empty() && plan.sheet.empty() && plan.video.empty();
    int toWrite = 0;
    Workload work;
    for (int k = 0; k <= last; ++k) {
        toWrite += toOut(k) || sheetFrames.count(k) || toVideo(k);
        work.pngs += toOut(k);
        work.videoFrames += toVideo(k);
    }
    work.frames = last + 1;
    work.drawn = checksOnly ? last + 1 : toWrite;
    work.where = !plan.outDir.empty() ? "--out " + plan.outDir
                 : !plan.video.empty()  ? "--video " + plan.video
                                        : "--sheet " + plan.sheet;
    CheckWorkload(plan, work);
    if (plan.warnLateEvents) WarnOfLateEvents(in.events, last / plan.fps);
    if (!plan.outDir.empty()) fs::create_directories(plan.outDir);

    const auto gl = OpenOffscreenGL(plan);
    Session session(plan.session, in.flight, in.events);
    session.start();
    RunVideo video;
    int written = 0;
    Progress progress(plan.video.empty() ? "frames" : "video", checksOnly ? last + 1 : toWrite);
    for (int k = 0; k <= last && !Interrupted(); ++k) {
        const double t = k / plan.fps;
        const bool out = toOut(k), onSheet = sheetFrames.count(k) > 0, inVideo = toVideo(k);
        if (!out && !onSheet && !inVideo) {
            if (checksOnly) {
                session.frame(t);
                progress.step();
            } else {
                session.skip(t);
            }
            continue;
        }
        // A frame only the video keeps: only its part is drawn, and read
        // straight into the video's next buffer.
        const bool videoOnly = inVideo && video.writer && !out && !onSheet;
        session.keepOnly(videoOnly ? video.part : std::nullopt);
        session.frame(t);
        if (videoOnly) {
            session.readPixels(video.writer->nextFrame());
            video.writer->queue(true);
            progress.step();
            continue;
        }
        Image frame = session.capture();
        if (out) {
            WritePng(FrameFile(plan.outDir, k), frame);
            ++written;
        }
        if (onSheet) sheet.add(frame, t);
        if (inVideo) {
            if (!video.writer) video = StartVideo(plan, session, t);
            video.writer->add(video.part ? frame.cropped(*video.part) : frame);
        }
        progress.step();
    }
    progress.done();
    int code = ReportFailures(session.finish());
    if (written) std::cout << "flyer-sim: wrote " << written << " frames to " << plan.outDir << "\n";
    // An interrupted run's sheet would miss the frames of the rest of the
    // run; its video ends at the last frame written.
    if (!plan.sheet.empty() && !Interrupted()) {
        WritePng(plan.sheet, sheet.render());
        std::cout << "flyer-sim: wrote contact sheet " << plan.sheet << "\n";
    }
    if (video.writer) {
        video.writer->finish();
        std::cout << "flyer-sim: wrote video " << plan.video << " (" << video.writer->frames() << " frames at "
                  << plan.fps << " fps)\n";
    }
    if (checksOnly && code == 0 && !Interrupted())
        std::cerr << "flyer-sim: flew " << last + 1 << " frames (" << duration << " s), all checks passed\n";
    return code;
}

}  // namespace sim
