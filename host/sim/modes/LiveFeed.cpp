#include "LiveFeed.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <thread>

#include "Statistics.h"
#include "session/Session.h"

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#else
#include <sys/resource.h>
#endif

namespace sim {

namespace {

// Enough for the percentiles of the last ten minutes at 30 datagrams a second.
constexpr size_t kDelaysKept = 1 << 15;

std::vector<host::PublishedDataref> AskedOfXPlane(std::vector<const host::PublishedDataref *> &inHost)
{
    std::vector<host::PublishedDataref> asked;
    for (const host::PublishedDataref &d : host::kPublishedDatarefs)
        if (std::string_view(d.name) != host::DatarefName("View")) {
            asked.push_back(d);
            inHost.push_back(&d);
        }
    return asked;
}

#ifdef _WIN32
// Closing the console window (or logging off) ends the process a few seconds
// after telling it. Taken as SIGTERM, the frame loop ends and cancels the
// subscriptions meanwhile; the process ends when main returns.
BOOL WINAPI OnConsoleClosing(DWORD event)
{
    if (event != CTRL_CLOSE_EVENT && event != CTRL_LOGOFF_EVENT && event != CTRL_SHUTDOWN_EVENT) return FALSE;
    std::raise(SIGTERM);
    Sleep(10000);
    return TRUE;
}
#endif

live::LinkOptions LinkOptionsOf(const Options &opts)
{
    live::LinkOptions l;
    l.rate = opts.fps;
    if (opts.liveBeaconPort) l.beaconPort = uint16_t(opts.liveBeaconPort);
    if (!opts.liveAddress.empty()) {
        try {
            l.address = live::ResolveEndpoint(opts.liveAddress, live::kDefaultXPlanePort).text();
        } catch (const std::runtime_error &e) {
            throw UsageError(std::string("--live: ") + e.what());
        }
    }
    return l;
}

}  // namespace

double ProcessCpuSeconds()
{
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto seconds = [](const FILETIME &f) {
        return double(uint64_t(f.dwHighDateTime) << 32 | f.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) * 1e-6;
#endif
}

LiveFeed::LiveFeed(const Options &opts)
    : frame_(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / opts.fps)))
{
    asked_ = AskedOfXPlane(askedInHost_);
    link_ = std::make_unique<live::XPlaneLink>(
        LinkOptionsOf(opts), [](const live::LinkMessage &m) { std::cerr << "flyer-sim: " << m.text << "\n"; },
        asked_.data(), asked_.size());
#ifdef _WIN32
    // Waits for datagrams and frames shorter than the default 15.6 ms tick.
    timeBeginPeriod(1);
    SetConsoleCtrlHandler(OnConsoleClosing, TRUE);
#endif
}

LiveFeed::~LiveFeed()
{
#ifdef _WIN32
    SetConsoleCtrlHandler(OnConsoleClosing, FALSE);
    timeEndPeriod(1);
#endif
}

void LiveFeed::attach(Session &session)
{
    session_ = &session;
    std::vector<DatarefKey> keys;
    for (const live::LiveElement &e : link_->elements())
        keys.push_back({askedInHost_[e.dataref], std::max(e.element, 0)});
    driven_ = session.drive(keys);
    // What came while the plug-in loaded is shown by the first frame, but
    // its wait says nothing of the frame loop's.
    link_->poll();
    link_->takeArrivals(pending_);
    pending_.clear();
    cpuAtStart_ = ProcessCpuSeconds();
}

void LiveFeed::publish()
{
    link_->takeArrivals(pending_);
    datagramsPublished_ = link_->counts().datagrams;
    const auto &elements = link_->elements();
    const auto &values = link_->values();
    for (size_t i = 0; i < values.size(); ++i) {
        if (!values[i].received || !driven_[i]) continue;
        const float v = values[i].value;
        // Every value comes as a float; an int one is rounded, never cast from NaN.
        const bool isInt = asked_[elements[i].dataref].type == host::DataType::Int;
        session_->setDriven(i, isInt ? double(live::ToInt(v)) : double(v));
    }
}

void LiveFeed::shown()
{
    ++frames_;
    const Clock::time_point now = Clock::now();
    shownAt_ = now;
    for (const Clock::time_point arrived : pending_) {
        const double ms = std::chrono::duration<double, std::milli>(now - arrived).count();
        maxDelay_ = std::max(maxDelay_, ms);
        if (delays_.size() < kDelaysKept)
            delays_.push_back(float(ms));
        else
            delays_[nextDelay_++ % kDelaysKept] = float(ms);
    }
    pending_.clear();
}

void LiveFeed::waitForFrame(Clock::time_point begun)
{
    const Clock::time_point due = begun + (following_ ? frame_ + frame_ / 2 : frame_);
    const Clock::time_point early = std::min(due, shownAt_ + frame_ / 2);
    // Each round takes what waits, then sleeps until a datagram comes or the
    // time to draw; a flood still ends at `due`, as poll() reads a bounded number.
    for (;;) {
        link_->poll();
        const Clock::time_point now = Clock::now();
        following_ = link_->counts().datagrams != datagramsPublished_;
        if (now >= due || (following_ && now >= early)) return;
        if (following_)
            std::this_thread::sleep_until(early);
        else
            link_->wait(std::chrono::duration<double>(due - now).count());
    }
}

void LiveFeed::finish(double seconds)
{
    link_->close();
    const double cpu = ProcessCpuSeconds() - cpuAtStart_;
    const auto &c = link_->counts();
    const std::vector<double> delays(delays_.begin(), delays_.end());
    char line[512];
    std::snprintf(line, sizeof line,
                  "flyer-sim: live: frames=%llu seconds=%.2f datagrams=%llu values=%llu malformed=%llu unknown=%llu",
                  (unsigned long long)frames_, seconds, (unsigned long long)c.datagrams,
                  (unsigned long long)c.values, (unsigned long long)c.malformed, (unsigned long long)c.unknown);
    std::string text = line;
    if (!delays.empty()) {
        std::snprintf(line, sizeof line, " delay_ms_median=%.1f delay_ms_p99=%.1f delay_ms_max=%.1f", Median(delays),
                      Percentile(delays, 0.99), maxDelay_);
        text += line;
    }
    if (seconds > 0) {
        std::snprintf(line, sizeof line, " cpu_s_per_s=%.3f", cpu / seconds);
        text += line;
    }
    std::cerr << text << "\n";
}

}  // namespace sim
