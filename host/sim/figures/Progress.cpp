#include "Progress.h"

#include <unistd.h>

#include <cstdio>

namespace sim {

namespace {

constexpr int kFew = 30;

std::string MinutesSeconds(double seconds)
{
    const long s = long(seconds + 0.5);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
    return buf;
}

}  // namespace

Progress::Progress(std::string what, int total)
    : what_(std::move(what)),
      total_(total),
      shown_(total > kFew),
      terminal_(isatty(STDERR_FILENO) == 1),
      start_(Clock::now()),
      drawn_(start_)
{
}

Progress::~Progress() { done(); }

void Progress::step()
{
    ++done_;
    if (!shown_) return;
    if (terminal_) {
        if (Clock::now() - drawn_ >= std::chrono::milliseconds(250)) show(false);
    } else if (done_ < total_ && done_ * 4 >= (quarter_ + 1) * total_) {
        ++quarter_;
        show(false);
    } else if (!early_ && quarter_ == 0 && Clock::now() - start_ >= std::chrono::seconds(5)) {
        // The measured rate and the time left, early in a long run.
        early_ = true;
        show(false);
    }
}

void Progress::done()
{
    if (ended_) return;
    ended_ = true;
    if (shown_ && done_ > 0) show(true);
}

void Progress::show(bool last)
{
    drawn_ = Clock::now();
    const double seconds = std::chrono::duration<double>(drawn_ - start_).count();
    const double rate = seconds > 0 ? done_ / seconds : 0;
    char line[160];
    if (last)
        std::snprintf(line, sizeof line, "flyer-sim: %s: %d of %d frames in %s, %.0f frames/s",
                      what_.c_str(), done_, total_, MinutesSeconds(seconds).c_str(), rate);
    else
        std::snprintf(line, sizeof line, "flyer-sim: %s: %d of %d frames (%d%%), %.0f frames/s, %s left",
                      what_.c_str(), done_, total_, int(100.0 * done_ / total_), rate,
                      rate > 0 ? MinutesSeconds((total_ - done_) / rate).c_str() : "?");
    if (terminal_)
        std::fprintf(stderr, "\r%s\033[K%s", line, last ? "\n" : "");
    else
        std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
}

}  // namespace sim
