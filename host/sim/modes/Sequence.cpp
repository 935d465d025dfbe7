// The plain run and the written ones: a frame sequence (--out), a contact
// sheet (--sheet) and a video (--video), in any combination.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>

#include "Modes.h"
#include "host/OffscreenGL.h"
#include "outputs/ContactSheet.h"
#include "outputs/Progress.h"
#include "outputs/Video.h"
#include "session/Session.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

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

// The video stream for the run, sized by --video-size at its first frame,
// and the part of the screen it keeps (none: all of it, or scaled).
struct Video {
    std::unique_ptr<VideoWriter> writer;
    std::optional<PixelBox> part;
};

Video StartVideo(const Options &opts, const Session &session)
{
    const std::optional<PixelBox> panel = session.windowsBox();
    if (opts.videoSize == "panel" && !panel)
        std::cerr << "flyer-sim: warning: --video-size panel: no window of the plug-in is shown "
                     "at the first frame; the video shows the whole screen\n";
    const int w = session.width(), h = session.height();
    const PixelBox *p = panel ? &*panel : nullptr;
    const bool evenSides = !IsGif(opts.video);
    const std::optional<PixelBox> part = VideoCrop(opts.videoSize, w, h, p, evenSides);
    // The faithful loop draws the whole screen and lets ffmpeg cut the part
    // out; otherwise only the part is drawn, read and piped.
    if (part && !opts.everyFrame)
        return {std::make_unique<VideoWriter>(opts.video, part->w, part->h, opts.fps, ""), part};
    return {std::make_unique<VideoWriter>(opts.video, w, h, opts.fps,
                                          VideoFilter(opts.videoSize, w, h, p, evenSides)),
            std::nullopt};
}

}  // namespace

int RunSequence(const Options &opts, const std::string &title)
{
    Input in = LoadInput(opts);
    const double duration = opts.duration.value_or(in.flight.duration);
    const int last = FrameCount(duration, opts.fps);
    const int first = int(std::ceil(opts.from * opts.fps - 1e-9));

    std::set<int> sheetFrames;
    if (!opts.sheet.empty())
        for (int i = 0; i < opts.sheetFrames; ++i)
            sheetFrames.insert(opts.sheetFrames == 1 ? 0
                                                     : int(std::lround(double(i) * last / (opts.sheetFrames - 1))));
    if (!opts.outDir.empty()) fs::create_directories(opts.outDir);
    ContactSheet sheet(title.empty() ? "Ostrel-Flyer, flight " + in.flight.name : title);
    auto toOut = [&](int k) {
        return !opts.outDir.empty() && k >= first && (k - first) % opts.every == 0 &&
               (!opts.outUntil || k / opts.fps <= *opts.outUntil + 1e-9);
    };
    auto toVideo = [&](int k) { return !opts.video.empty() && k >= first; };
    // A run that writes nothing is flown for its checks: every frame is drawn.
    const bool checksOnly = opts.outDir.empty() && opts.sheet.empty() && opts.video.empty();
    int toWrite = 0;
    for (int k = 0; k <= last; ++k) toWrite += toOut(k) || sheetFrames.count(k) || toVideo(k);

    host::OffscreenGL gl(opts.screenWidth, opts.screenHeight);
    Session session(opts, in.flight, in.events);
    session.start();
    Video video;
    int written = 0;
    Progress progress(opts.video.empty() ? "frames" : "video", toWrite);
    for (int k = 0; k <= last; ++k) {
        const double t = k / opts.fps;
        const bool out = toOut(k), onSheet = sheetFrames.count(k) > 0, inVideo = toVideo(k);
        if (!out && !onSheet && !inVideo) {
            checksOnly ? void(session.frame(t)) : session.skip(t);
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
            WritePng(FrameFile(opts.outDir, k), frame);
            ++written;
        }
        if (onSheet) sheet.add(frame, t);
        if (inVideo) {
            if (!video.writer) video = StartVideo(opts, session);
            video.writer->add(video.part ? frame.cropped(*video.part) : frame);
        }
        progress.step();
    }
    progress.done();
    int code = ReportFailures(session.finish());
    if (written) std::cout << "flyer-sim: wrote " << written << " frames to " << opts.outDir << "\n";
    if (!opts.sheet.empty()) {
        WritePng(opts.sheet, sheet.render());
        std::cout << "flyer-sim: wrote contact sheet " << opts.sheet << "\n";
    }
    if (video.writer) {
        video.writer->finish();
        std::cout << "flyer-sim: wrote video " << opts.video << " (" << video.writer->frames() << " frames at "
                  << opts.fps << " fps)\n";
    }
    if (checksOnly && code == 0)
        std::cerr << "flyer-sim: flew " << last + 1 << " frames (" << duration << " s), all checks passed\n";
    return code;
}

}  // namespace sim
