#include "Video.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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
}

VideoWriter::~VideoWriter()
{
    if (fd_ >= 0) close(fd_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        wait();
    }
}

int VideoWriter::wait()
{
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    pid_ = -1;
    return status;
}

void VideoWriter::add(const Image &frame)
{
    if (frame.width != width_ || frame.height != height_)
        throw std::runtime_error("video frame of " + std::to_string(frame.width) + "x" +
                                 std::to_string(frame.height) + ", expected " + std::to_string(width_) +
                                 "x" + std::to_string(height_));
    const uint8_t *p = frame.rgba.data();
    size_t left = frame.rgba.size();
    while (left > 0) {
        ssize_t n = write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(fd_);
            fd_ = -1;
            throw std::runtime_error("ffmpeg stopped taking frames for " + path_ + " (" + Status(wait()) + ")");
        }
        p += n;
        left -= size_t(n);
    }
    ++frames_;
}

void VideoWriter::finish()
{
    if (fd_ < 0 || pid_ <= 0) return;
    close(fd_);
    fd_ = -1;
    const int status = wait();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("ffmpeg failed writing " + path_ + " (" + Status(status) + ")");
    file_.commit();
}

}  // namespace sim
