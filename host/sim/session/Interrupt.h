#ifndef OSTREL_SIM_SESSION_INTERRUPT_H
#define OSTREL_SIM_SESSION_INTERRUPT_H
// Ctrl-C and SIGTERM end a run cleanly: the handler only notes the signal,
// and the frame loops ask Interrupted() between frames, leave their loop and
// unwind, so destructors close videos, remove the simulator folder and
// cancel live subscriptions. A second signal while unwinding is taken as
// "stop now" and ends the process at once.

namespace sim {

// Installs the handlers for SIGINT and SIGTERM (SIGINT alone where the C
// library has no SIGTERM delivery). Call once, early in main.
void InstallInterruptHandlers();
// True once a signal arrived.
bool Interrupted();
// The signal that arrived, 0 if none.
int InterruptSignal();
// The exit code for an interrupted run: 128 + the signal, as shells report it.
int InterruptedExitCode();

// From on to off, closing the console window, logging off or shutting down
// Windows is taken as SIGTERM: the frame loop ends and cancels what it must
// (a live run's subscriptions) in the seconds Windows waits. Does nothing
// elsewhere.
void InterruptOnConsoleClose(bool on);

}  // namespace sim

#endif
