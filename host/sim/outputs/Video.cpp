#include "Video.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

extern char **environ;

namespace sim {

namespace {

std::string Status(int status)
{
    if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return std::string("killed by signal ") + strsignal(WTERMSIG(status));
    return "status " + std::to_string(status);
}

// Writes every byte the rows hold, in their order; false when the pipe
// broke.
bool WriteAll(int fd, std::vector<iovec> &rows)
{
    for (size_t at = 0; at < rows.size();) {
        const ssize_t n = writev(fd, &rows[at], int(std::min(rows.size() - at, size_t(IOV_MAX))));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        for (size_t left = size_t(n); left > 0;) {
            const size_t part = std::min(left, rows[at].iov_len);
            rows[at].iov_base = static_cast<uint8_t *>(rows[at].iov_base) + part;
            rows[at].iov_len -= part;
            left -= part;
            if (rows[at].iov_len == 0) ++at;
        }
    }
    return true;
}

// Buffers: one being filled, one queued, one being written.
constexpr int kBuffers = 3;

}  // namespace

VideoWriter::VideoWriter(const std::string &path, int width, int height, double fps,
                         const std::string &filter)
    : path_(path), file_(path), width_(width), height_(height)
{
    // A broken pipe is an error to report, not a reason to die.
    signal(SIGPIPE, SIG_IGN);
    char size[32], rate[32];
    std::snprintf(size, sizeof size, "%dx%d", width, height);
    std::snprintf(rate, sizeof rate, "%.9g", fps);
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostats", "-y",
                                     "-f", "rawvideo", "-pix_fmt", "rgba", "-s", size,
                                     "-framerate", rate, "-i", "pipe:0"};
    if (IsGif(path)) {
        // One palette for the whole run, and each frame stored as the
        // rectangle that changed: the panel's still parts cost nothing.
        const std::string palette = "split[a][b];[a]palettegen=max_colors=64:stats_mode=diff[p];"
                                    "[b][p]paletteuse=dither=none:diff_mode=rectangle";
        args.insert(args.end(), {"-vf", (filter.empty() ? "" : filter + ",") + palette, "-loop", "0", file_.path()});
    } else {
        if (!filter.empty()) args.insert(args.end(), {"-vf", filter});
        // 4:2:0 for players everywhere; a low CRF keeps the gauges' fine lines.
        args.insert(args.end(), {"-an", "-c:v", "libx264", "-preset", "veryfast", "-crf", "18",
                                 "-pix_fmt", "yuv420p", "-movflags", "+faststart", file_.path()});
    }

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int err = posix_spawnp(&pid_, "ffmpeg", &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (err != 0) {
        close(fds[1]);
        pid_ = -1;
        throw std::runtime_error("cannot run ffmpeg for --video (" + std::string(strerror(err)) +
                                 "); it comes with Debian's ffmpeg package");
    }
    fd_ = fds[1];
    // A pipe that holds a whole frame, where the system allows: the writer
    // then rarely waits on ffmpeg in the middle of one.
    const size_t frameBytes = size_t(width_) * size_t(height_) * 4;
    for (size_t bytes : {frameBytes, size_t(1) << 20})
        if (bytes <= size_t(INT_MAX) && fcntl(fd_, F_SETPIPE_SZ, int(bytes)) >= 0) break;
    buffers_.assign(kBuffers, std::vector<uint8_t>(frameBytes));
    for (int i = kBuffers - 1; i >= 0; --i) free_.push_back(i);
    writer_ = std::thread([this] { writeFrames(); });
}

VideoWriter::~VideoWriter()
{
    // ffmpeg goes first, so a writer blocked on a full pipe returns.
    if (pid_ > 0) kill(pid_, SIGTERM);
    stopWriting();
    if (fd_ >= 0) close(fd_);
    if (pid_ > 0) wait();
}

int VideoWriter::wait()
{
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    pid_ = -1;
    return status;
}

void VideoWriter::writeFrames()
{
    const size_t row = size_t(width_) * 4;
    std::vector<iovec> rows;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        queuedOrClosing_.wait(lock, [&] { return !queued_.empty() || closing_; });
        if (queued_.empty() || failed_) return;
        const Queued q = queued_.front();
        lock.unlock();
        const uint8_t *pixels = buffers_[size_t(q.buffer)].data();
        rows.clear();
        if (q.bottomUp)
            for (int y = height_ - 1; y >= 0; --y) rows.push_back({const_cast<uint8_t *>(pixels) + size_t(y) * row, row});
        else
            rows.push_back({const_cast<uint8_t *>(pixels), row * size_t(height_)});
        const bool written = WriteAll(fd_, rows);
        lock.lock();
        queued_.pop_front();
        free_.push_back(q.buffer);
        failed_ = failed_ || !written;
        freed_.notify_one();
    }
}

void VideoWriter::stopWriting()
{
    if (!writer_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    queuedOrClosing_.notify_one();
    writer_.join();
}

void VideoWriter::stoppedTakingFrames()
{
    stopWriting();
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    throw std::runtime_error("ffmpeg stopped taking frames for " + path_ + " (" + Status(wait()) + ")");
}

uint8_t *VideoWriter::nextFrame()
{
    std::unique_lock<std::mutex> lock(mutex_);
    freed_.wait(lock, [&] { return !free_.empty() || failed_; });
    if (failed_) {
        lock.unlock();
        stoppedTakingFrames();
    }
    filling_ = free_.back();
    free_.pop_back();
    return buffers_[size_t(filling_)].data();
}

void VideoWriter::queue(bool bottomUp)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queued_.push_back({filling_, bottomUp});
    }
    queuedOrClosing_.notify_one();
    ++frames_;
}

void VideoWriter::add(const Image &frame)
{
    if (frame.width != width_ || frame.height != height_)
        throw std::runtime_error("video frame of " + std::to_string(frame.width) + "x" +
                                 std::to_string(frame.height) + ", expected " + std::to_string(width_) +
                                 "x" + std::to_string(height_));
    std::memcpy(nextFrame(), frame.rgba.data(), frame.rgba.size());
    queue(false);
}

void VideoWriter::finish()
{
    if (fd_ < 0 || pid_ <= 0) return;
    stopWriting();
    if (failed_) stoppedTakingFrames();
    close(fd_);
    fd_ = -1;
    const int status = wait();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("ffmpeg failed writing " + path_ + " (" + Status(status) + ")");
    file_.commit();
}

}  // namespace sim
