#include "Plan.h"

#include <algorithm>
#include <iterator>

#include "cli/Options.h"
#include "net/Address.h"

namespace sim {

namespace {

Plan::Mode ModeOf(const Options &o)
{
    const bool serve = !o.serve.empty();
    if (o.live) return o.window ? Plan::Mode::LiveWindow : serve ? Plan::Mode::LiveServe : Plan::Mode::Live;
    if (serve && !o.window) return Plan::Mode::Serve;
    if (o.bench) return Plan::Mode::Bench;
    if (o.window) return Plan::Mode::Window;
    if (o.at) return Plan::Mode::At;
    if (!o.demo.empty()) return Plan::Mode::Demo;
    return Plan::Mode::Sequence;
}

}  // namespace

Plan PlanOf(const Options &o, const std::string &logWritten)
{
    Plan p;
    p.mode = ModeOf(o);
    SessionSettings &s = p.session;
    s.plugin = o.plugin;
    s.texture = o.texture;
    s.screenWidth = o.screenWidth;
    s.screenHeight = o.screenHeight;
    s.view = o.view;
    s.overrides = o.overrides;
    s.missing = o.missing;
    s.outsideView = o.outsideView;
    std::copy(std::begin(o.background), std::end(o.background), s.background);
    s.log = logWritten.empty() ? o.log : logWritten;
    s.logName = o.log;
    s.verbose = o.verbose;
    s.everyFrame = o.everyFrame;
    s.finishPictureFirst = o.bench;

    p.flight = o.flight;
    p.eventsFile = o.eventsFile;
    p.commands = o.commands;
    p.fps = o.fps;
    p.fpsGiven = o.fpsGiven;
    p.duration = o.duration;
    p.from = o.from;
    p.at = o.at;
    p.png = o.png;
    p.outDir = o.outDir;
    p.every = o.every;
    p.sheet = o.sheet;
    p.sheetFrames = o.sheetFrames;
    p.sheetFramesGiven = o.sheetFramesGiven;
    p.video = o.video;
    p.videoSize = o.videoSize;
    p.benchFrames = o.frames;
    p.screenshot = o.screenshot;
    p.demo = o.demo;
    p.liveAddress = o.liveAddress;
    p.liveBeaconPort = o.liveBeaconPort;
    p.gl = o.gl;
    if (!o.serve.empty()) {
        const net::HostPort where = net::ParseHostPort(o.serve, "127.0.0.1", 0, true);
        p.serve = ServeSettings{where.host, where.port, o.serveClients};
    }
    p.allowLarge = o.allowLarge;
    return p;
}

}  // namespace sim
