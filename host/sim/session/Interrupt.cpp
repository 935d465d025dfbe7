#include "Interrupt.h"

#include <csignal>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace sim {

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void OnInterrupt(int signal)
{
    if (g_signal != 0) std::_Exit(128 + signal);
    g_signal = signal;
}

#ifdef _WIN32
// Windows ends the process a few seconds after telling it; the frame loop
// ends meanwhile, and the process when main returns.
BOOL WINAPI OnConsoleClosing(DWORD event)
{
    if (event != CTRL_CLOSE_EVENT && event != CTRL_LOGOFF_EVENT && event != CTRL_SHUTDOWN_EVENT) return FALSE;
    std::raise(SIGTERM);
    Sleep(10000);
    return TRUE;
}
#endif

}  // namespace

void InstallInterruptHandlers()
{
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

bool Interrupted()
{
    return g_signal != 0;
}

int InterruptSignal()
{
    return g_signal;
}

int InterruptedExitCode()
{
    return 128 + (g_signal ? int(g_signal) : SIGINT);
}

void InterruptOnConsoleClose(bool on)
{
#ifdef _WIN32
    SetConsoleCtrlHandler(OnConsoleClosing, on ? TRUE : FALSE);
#else
    (void)on;
#endif
}

}  // namespace sim
