#ifndef OSTREL_TESTS_SUPPORT_CHILDPROCESS_H
#define OSTREL_TESTS_SUPPORT_CHILDPROCESS_H
// A program running beside a test, its stdout and stderr in one file; killed
// if it still runs when the test is done with it. Every wait is bounded.

#include <sys/types.h>

#include <string>
#include <vector>

namespace ostrel::testing {

class ChildProcess {
public:
    // Starts argv[0] (found on PATH) with its output going to `outputFile`.
    ChildProcess(std::vector<std::string> argv, std::string outputFile);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool started() const { return pid_ > 0; }
    // The exit code (128 + the signal for one that ended it), or -1 when it
    // still runs after `seconds`.
    int wait(double seconds = 30);
    void signal(int s);
    // Everything it has written so far.
    std::string output() const;
    // Waits at most `seconds` for `text` in the output; the output then.
    std::string waitForOutput(const std::string &text, double seconds = 30);

private:
    std::string outputFile_;
    pid_t pid_ = -1;
    int code_ = -1;
};

}  // namespace ostrel::testing

#endif
