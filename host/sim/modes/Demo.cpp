// --demo DIR: both panels over the flight: for each, a contact sheet, a short
// frame sequence of the flight's highlight and the same as an animated GIF
// of the panel, a still of the panel and a video of the whole flight cropped
// to the panel. The stills and GIFs are small enough for a web page.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>

#include "Modes.h"
#include "session/Interrupt.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

constexpr double kDemoVideoFps = 20;
constexpr double kDemoGifFps = 3;
// For a flight that names no highlight, or one past --duration: its first
// seconds, and a still half-way.
constexpr double kSequenceSeconds = 16;

Highlight HighlightOf(const Plan &plan)
{
    const Flight flight = LoadFlight(plan.flight);
    const double end = RunEnd(plan, flight);
    if (flight.highlight && flight.highlight->to <= end) return *flight.highlight;
    return {0, std::min(kSequenceSeconds, end), end / 2};
}

}  // namespace

int RunDemo(const Plan &plan)
{
    const fs::path dir = plan.demo;
    fs::create_directories(dir);
    int code = 0;
    std::vector<std::string> made;
    const std::string stem = IsBuiltInFlight(plan.flight) ? plan.flight : fs::path(plan.flight).stem().string();
    const Highlight highlight = HighlightOf(plan);
    for (const char *panel : {"ga", "glass"}) {
        const bool glass = std::string(panel) == "glass";
        Plan base = plan;
        base.demo.clear();
        // Events after the end are told of once, by the first run over the
        // whole flight.
        base.warnLateEvents = false;
        if (glass) base.commands.insert(base.commands.begin(), GlassPanelAtStart());

        Plan o = base;
        // Ten frames a second are plenty for a sheet and a short sequence.
        if (!plan.fpsGiven) o.fps = 10;
        o.sheet = (dir / (std::string("sheet-") + panel + ".png")).string();
        o.outDir = (dir / (std::string("sequence-") + panel)).string();
        o.from = highlight.from;
        o.outUntil = highlight.to;
        // Two frames a second, and at least two of the highlight where it has them.
        const int highlightFrames =
            int(std::floor(highlight.to * o.fps + 1e-9) - std::ceil(highlight.from * o.fps - 1e-9)) + 1;
        o.every = std::max(1, std::min(int(std::lround(o.fps / 2)), highlightFrames - 1));
        o.warnLateEvents = !glass;
        fs::remove_all(o.outDir);
        code = std::max(code, RunSequence(o, std::string("Ostrel-Flyer ") + (glass ? "Glass" : "GA") +
                                                 " panel, flight " + o.flight));
        made.push_back(o.sheet);
        made.push_back(o.outDir + "/");

        if (Interrupted()) break;
        // The highlight again, as an animated GIF of the panel alone.
        Plan g = base;
        g.fps = kDemoGifFps;
        g.video = (dir / (std::string("highlight-") + panel + ".gif")).string();
        g.videoSize = "panel";
        g.from = highlight.from;
        g.duration = highlight.to;
        code = std::max(code, RunSequence(g));
        made.push_back(g.video);

        if (Interrupted()) break;
        // A still of the panel alone.
        Plan s = base;
        s.at = highlight.still;
        s.png = (dir / (std::string("still-") + panel + ".png")).string();
        s.pngCroppedToPanel = true;
        code = std::max(code, RunAt(s));
        made.push_back(s.png);

        if (Interrupted()) break;
        // The whole flight as a video of the panel.
        Plan v = base;
        if (!plan.fpsGiven) v.fps = kDemoVideoFps;
        v.video = (dir / (stem + "-" + panel + ".mp4")).string();
        v.videoSize = "panel";
        code = std::max(code, RunSequence(v));
        made.push_back(v.video);
        if (Interrupted()) break;
    }
    if (Interrupted()) return code;
    std::cout << "flyer-sim: demo written under " << dir.string() << ":\n";
    for (const std::string &m : made) std::cout << "  " << m << "\n";
    return code;
}

}  // namespace sim
