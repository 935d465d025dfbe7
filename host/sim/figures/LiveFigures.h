#ifndef OSTREL_SIM_FIGURES_LIVEFIGURES_H
#define OSTREL_SIM_FIGURES_LIVEFIGURES_H
// The figures of a live run's frames: how many were shown, how long each
// datagram waited from its arrival (the system's stamp where it keeps one)
// to the moment the first frame showing its values was on the screen, and
// the process's CPU time (every thread, the driver's included) per second
// of the frame loop.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class LiveFigures {
public:
    using Clock = std::chrono::steady_clock;
    // The frame loop starts: CPU time counts from here.
    void start();
    // A frame is on the screen at `now`, showing the values of datagrams
    // that arrived at `arrivals`.
    void shown(const std::vector<Clock::time_point> &arrivals, Clock::time_point now);
    uint64_t frames() const { return frames_; }
    // " delay_ms_median=.. delay_ms_p99=.. delay_ms_max=.. cpu_s_per_s=..",
    // each part where it has something to say, over `seconds` of frames.
    std::string text(double seconds) const;

private:
    std::vector<float> delays_;  // milliseconds, the latest kDelaysKept
    size_t nextDelay_ = 0;
    double maxDelay_ = 0;
    uint64_t frames_ = 0;
    double cpuAtStart_ = 0;
};

// The process's CPU time so far, in seconds, every thread included.
double ProcessCpuSeconds();
// The calling thread's CPU time so far, in seconds.
double ThreadCpuSeconds();

}  // namespace sim

#endif
