#include "ServedPanel.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "PanelFit.h"
#include "web/PanelServer.h"
#include "PictureEncoder.h"
#include "figures/LiveFigures.h"
#include "figures/Statistics.h"
#include "host/PanelInterface.h"
#include "net/Address.h"
#include "net/UdpSocket.h"
#include "screen/ScreenParts.h"
#include "session/Session.h"

namespace sim {

namespace {

// JPEG quality of the pictures: above 90 every encoder keeps full colour
// resolution, which the panel's thin coloured marks need.
constexpr int kQuality = 92;

bool Everywhere(const std::string &address) { return address == "0.0.0.0" || address == "::"; }

// The addresses to type in a browser: the one listened on, or for every
// network this computer's own (IPv4: what a tablet on the same network
// reaches), this computer's loopback last.
std::vector<std::string> PageAddresses(const ServeSettings &s, uint16_t port)
{
    const std::string p = ":" + std::to_string(port) + "/";
    if (!Everywhere(s.address))
        return {"http://" + (s.address.find(':') != std::string::npos ? "[" + s.address + "]" : s.address) + p};
    std::vector<std::string> urls;
    for (uint32_t a : net::InterfaceAddresses())
        if (a != net::kLoopbackAddress) urls.push_back("http://" + net::Endpoint{a, port}.text() + "/");
    urls.push_back("http://127.0.0.1" + p + " (this computer)");
    return urls;
}

bool operator!=(const PixelBox &a, const PixelBox &b)
{
    return a.x != b.x || a.y != b.y || a.w != b.w || a.h != b.h;
}

}  // namespace

ServedPanel::ServedPanel(const ServeSettings &settings, bool onlyPanel) : onlyPanel_(onlyPanel)
{
    net::StartNetwork();
    web::ServeLimits limits;
    limits.viewers = settings.viewers;
    server_ = std::make_unique<web::PanelServer>(settings.address, settings.port, limits);
    encoder_ = std::make_unique<serve::PictureEncoder>(*server_, kQuality);
    const std::vector<std::string> urls = PageAddresses(settings, server_->port());
    if (urls.size() == 1) {
        std::cout << "flyer-sim: the panel is at " << urls[0] << " (open it in a web browser)\n";
    } else {
        std::cout << "flyer-sim: the panel is at these addresses (open one in a web browser on the same network):\n";
        for (const std::string &u : urls) std::cout << "  " << u << "\n";
        std::cout << "flyer-sim: anyone on those networks can see the panel and press its buttons\n";
    }
    std::cout.flush();
    cpuAtStart_ = ProcessCpuSeconds();
}

ServedPanel::~ServedPanel() = default;

std::string ServedPanel::Replaying(const std::string &flightName)
{
    return "replaying " + std::filesystem::path(flightName).filename().string();
}

void ServedPanel::news(const std::string &status)
{
    if (status == news_) return;
    news_ = status;
    server_->news(news_, shown_);
}

void ServedPanel::beforeFrame(Session &session)
{
    for (const std::string &c : server_->takeCommands()) {
        session.command(c, xplm_CommandBegin);
        session.command(c, xplm_CommandEnd);
    }
    fit(session);
    if (onlyPanel_) {
        // Only the panel is drawn; with no panel shown, a pixel.
        kept_ = session.windowsBox();
        session.keepOnly(kept_ ? *kept_ : PixelBox{0, 0, 1, 1});
    }
}

void ServedPanel::fit(Session &session)
{
    const auto wanted = server_->wanted();
    const auto box = session.windowsBox();
    if (!wanted || !box) return;
    const auto now = serve::PanelScaleOf(box->w, box->h);
    if (!now) return;  // partly off the screen: left as it is
    if (wanted->width == fittedWidth_ && wanted->height == fittedHeight_ && now->glass == fittedGlass_) return;
    fittedWidth_ = wanted->width;
    fittedHeight_ = wanted->height;
    fittedGlass_ = now->glass;
    const int steps = serve::StepsToFit(box->w, box->h, *wanted, {session.width(), session.height()});
    const std::string command = host::CommandName(steps > 0 ? "Larger" : "Smaller");
    for (int i = 0; i < std::abs(steps); ++i) {
        session.command(command, xplm_CommandBegin);
        session.command(command, xplm_CommandEnd);
    }
}

void ServedPanel::afterFrame(Session &session, Clock::time_point born)
{
    const auto box = session.windowsBox();
    if (bool(box) != shown_) {
        shown_ = bool(box);
        server_->news(news_, shown_);
    }
    // A panel that came back or moved during the frame was not drawn where
    // it is now: the next frame draws it there.
    if (!box || (onlyPanel_ && (!kept_ || *box != *kept_))) return;
    // Nobody watches: nothing read or encoded. The next page is sent the
    // picture last encoded at once, and the first frame after it the
    // picture of the moment if that differs.
    if (server_->viewers() == 0) return;
    pixels_.resize(size_t(box->w) * size_t(box->h) * 4);
    ReadScreen(session.height(), *box, pixels_.data());
    encoder_->offer(pixels_, box->w, box->h, born);
}

void ServedPanel::finish(double seconds)
{
    if (finished_) return;
    finished_ = true;
    const double cpu = ProcessCpuSeconds() - cpuAtStart_;
    const serve::EncoderFigures e = encoder_->figures();
    encoder_.reset();
    const web::ServeFigures f = server_->figures();
    server_.reset();  // every connection closed
    std::vector<double> delays(f.delaysMs.begin(), f.delaysMs.end());
    const double s = seconds > 0 ? seconds : 1;
    char line[512];
    std::snprintf(line, sizeof line,
                  "flyer-sim: serve: seconds=%.2f viewers_most=%d pictures=%llu unchanged=%llu sent=%llu "
                  "bytes_per_s=%.0f",
                  seconds, f.viewersMost, (unsigned long long)e.encoded, (unsigned long long)e.unchanged,
                  (unsigned long long)f.picturesSent, double(f.bytesSent) / s);
    std::string text = line;
    if (!delays.empty())
        text += " delay_ms_median=" + Figure(Median(delays)) + " delay_ms_p99=" + Figure(Percentile(delays, 0.99));
    std::snprintf(line, sizeof line, " encode_cpu_s_per_s=%.3f cpu_s_per_s=%.3f refused=%llu", e.cpuSeconds / s,
                  cpu / s, (unsigned long long)f.refused);
    std::cerr << text << line << "\n";
}

}  // namespace sim
