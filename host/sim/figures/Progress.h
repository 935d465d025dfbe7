#ifndef OSTREL_SIM_FIGURES_PROGRESS_H
#define OSTREL_SIM_FIGURES_PROGRESS_H
// A progress line on stderr for runs that write many frames: redrawn in place
// on a terminal (frames done of total, rate, time left), otherwise a few
// plain lines (after 5 s if that is before a quarter, then a quarter, half,
// three quarters, done) so logs stay short.

#include <chrono>
#include <string>

namespace sim {

class Progress {
public:
    // Shows nothing for a total of a few frames.
    Progress(std::string what, int total);
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    void step();
    // Ends the line; called by the destructor if not before.
    void done();

private:
    void show(bool last);
    using Clock = std::chrono::steady_clock;
    std::string what_;
    int total_, done_ = 0, quarter_ = 0;
    bool shown_, terminal_, ended_ = false, early_ = false;
    Clock::time_point start_, drawn_;
};

}  // namespace sim

#endif
