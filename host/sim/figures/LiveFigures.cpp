#include "LiveFigures.h"

#include <algorithm>
#include <cstdio>

#include "Statistics.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace sim {

namespace {

// Enough for the percentiles of the last ten minutes at 30 datagrams a second.
constexpr size_t kDelaysKept = 1 << 15;

}  // namespace

// CPU time so far, in seconds: the calling thread's, or the whole process's.
static double CpuSeconds(bool thread)
{
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    const BOOL ok = thread ? GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)
                           : GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    if (!ok) return 0;
    auto seconds = [](const FILETIME &f) {
        return double(uint64_t(f.dwHighDateTime) << 32 | f.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    rusage r{};
    getrusage(thread ? RUSAGE_THREAD : RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) * 1e-6;
#endif
}

double ProcessCpuSeconds() { return CpuSeconds(false); }

double ThreadCpuSeconds() { return CpuSeconds(true); }

void LiveFigures::start()
{
    cpuAtStart_ = ProcessCpuSeconds();
}

void LiveFigures::shown(const std::vector<Clock::time_point> &arrivals, Clock::time_point now)
{
    ++frames_;
    for (const Clock::time_point arrived : arrivals) {
        const double ms = std::chrono::duration<double, std::milli>(now - arrived).count();
        maxDelay_ = std::max(maxDelay_, ms);
        if (delays_.size() < kDelaysKept)
            delays_.push_back(float(ms));
        else
            delays_[nextDelay_++ % kDelaysKept] = float(ms);
    }
}

std::string LiveFigures::text(double seconds) const
{
    const double cpu = ProcessCpuSeconds() - cpuAtStart_;
    std::string text;
    char part[160];
    if (!delays_.empty()) {
        const std::vector<double> delays(delays_.begin(), delays_.end());
        std::snprintf(part, sizeof part, " delay_ms_median=%.1f delay_ms_p99=%.1f delay_ms_max=%.1f", Median(delays),
                      Percentile(delays, 0.99), maxDelay_);
        text += part;
    }
    if (seconds > 0) {
        std::snprintf(part, sizeof part, " cpu_s_per_s=%.3f", cpu / seconds);
        text += part;
    }
    return text;
}

}  // namespace sim
