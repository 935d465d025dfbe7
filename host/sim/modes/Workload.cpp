// The estimate printed before a large run, and the refusal of one larger
// than anyone means.

#include <cmath>
#include <cstdio>
#include <iostream>

#include "Modes.h"
#include "cli/Options.h"
#include "session/Session.h"

namespace sim {

namespace {

// Costs per frame of a million pixels, on the slow side of what llvmpipe and
// libpng take on two busy cores: drawing the outside view and the panel and
// reading the screen back, encoding and writing a PNG, encoding a video frame
// (ffmpeg, beside flyer-sim). A PNG of the panel over the outside view takes
// about 0.1 bytes a pixel, an H.264 frame far less; the sizes round up.
constexpr double kDrawSecondsPerMegapixel = 0.010;
constexpr double kPngSecondsPerMegapixel = 0.030;
constexpr double kVideoSecondsPerMegapixel = 0.015;
constexpr double kPngBytesPerPixel = 0.25;
constexpr double kVideoBytesPerPixel = 0.02;
// Runs below these go without an estimate.
constexpr long long kFewFiles = 1000;
constexpr double kFewBytes = 1e9;
constexpr double kShortSeconds = 120;

// 216001 -> "216,001".
std::string Count(long long n)
{
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string Bytes(double b)
{
    char buf[32];
    if (b >= 1e9)
        std::snprintf(buf, sizeof buf, "%.1f GB", b / 1e9);
    else
        std::snprintf(buf, sizeof buf, "%.0f MB", std::ceil(b / 1e6));
    return buf;
}

std::string Duration(double seconds)
{
    const long long s = (long long)std::ceil(seconds);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return buf;
}

}  // namespace

void CheckWorkload(const Plan &plan, const Workload &w)
{
    const double megapixels = double(plan.session.screenWidth) * plan.session.screenHeight / 1e6;
    const long long files = w.pngs + (w.videoFrames > 0 ? 1 : 0);
    const double bytes =
        megapixels * 1e6 * (double(w.pngs) * kPngBytesPerPixel + double(w.videoFrames) * kVideoBytesPerPixel);
    const double seconds = megapixels * (double(w.drawn) * kDrawSecondsPerMegapixel +
                                         double(w.pngs) * kPngSecondsPerMegapixel +
                                         double(w.videoFrames) * kVideoSecondsPerMegapixel);
    const std::string frames = Count(w.frames) + " frames at " + Count((long long)plan.fps) + " fps";
    if (!plan.allowLarge && (files > kManyFiles || bytes > kManyBytes))
        throw UsageError("this run would write " + Count(files) + " files, about " + Bytes(bytes) + " (" + w.where +
                         ", " + frames + "), more than flyer-sim writes without --allow-large (" +
                         Count(kManyFiles) + " files, " + Bytes(kManyBytes) +
                         "); write fewer frames (--every, --from, --duration, --fps) or add --allow-large");
    if (files < kFewFiles && bytes < kFewBytes && seconds < kShortSeconds) return;
    std::cerr << "flyer-sim: this run: " << frames << ", " << Count(w.drawn) << " drawn";
    if (files > 0)
        std::cerr << ", " << Count(files) << " files of about " << Bytes(bytes) << " in all (" << w.where << ")";
    std::cerr << "; about " << Duration(seconds) << " at this renderer's slower rates\n";
}

}  // namespace sim
