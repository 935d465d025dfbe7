#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

extern char **environ;

namespace ostrel::testing {

using Clock = std::chrono::steady_clock;

ChildProcess::ChildProcess(std::vector<std::string> argv, std::string outputFile) : outputFile_(std::move(outputFile))
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char *> args;
    for (std::string &a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0 && code_ < 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int ChildProcess::wait(double seconds)
{
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (code_ < 0 && pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_)
            code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        else if (Clock::now() > end)
            break;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return code_;
}

void ChildProcess::signal(int s)
{
    if (pid_ > 0 && code_ < 0) kill(pid_, s);
}

std::string ChildProcess::output() const
{
    std::ifstream in(outputFile_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ChildProcess::waitForOutput(const std::string &text, double seconds)
{
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::string out = output();
    while (out.find(text) == std::string::npos && Clock::now() < end && wait(0) < 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        out = output();
    }
    return out;
}

}  // namespace ostrel::testing
