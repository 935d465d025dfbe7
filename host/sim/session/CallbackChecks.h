#ifndef OSTREL_SIM_SESSION_CALLBACKCHECKS_H
#define OSTREL_SIM_SESSION_CALLBACKCHECKS_H
// What flyer-sim checks around each call into the plug-in, and after it has
// stopped. Each fault goes to a FailureReport under a kind (FailureTally
// reports one kind once, with a count); what the plug-in left behind is put
// back so later frames are drawn and checked as usual. Needs a current GL
// context.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/Host.h"

namespace sim {

using FailureReport = std::function<void(const std::string &kind, const std::string &message)>;

// The failures of a run, by kind: the first message of each kind, in the
// order the kinds first failed, and how many more times each failed.
class FailureTally {
public:
    void fail(const std::string &kind, const std::string &message);
    FailureReport reporter();
    // "message", or "message (and N more times)", one per kind.
    std::vector<std::string> failures() const;

private:
    struct Failure {
        std::string first;
        int count = 0;
    };
    std::vector<std::string> order_;
    std::map<std::string, Failure> byKind_;
};

// The GL state a callback must leave as it found it.
struct CallbackEntry {
    int modelviewDepth = 0, projectionDepth = 0, matrixMode = 0;
};

// Before a callback: GL errors flyer-sim itself left ("host-gl"), then what
// the callback must give back. `where` names the callback and the time.
CallbackEntry EnterCallback(const std::string &where, const FailureReport &report);

// After it: GL errors the plug-in raised, matrix stacks left unbalanced,
// line smoothing or the scissor test left on, and misuse of the simulator
// interface the host noted.
void LeaveCallback(const CallbackEntry &entry, const std::string &where, host::Host &host,
                   const FailureReport &report);

// After XPluginStop: command handlers, windows and textures still held.
void CheckStopped(host::Host &host, const FailureReport &report);

// Prints a run's failed checks on stderr; the exit code for them (0: none).
int ReportFailures(const std::vector<std::string> &failures);

}  // namespace sim

#endif
