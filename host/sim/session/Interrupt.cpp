#include "Interrupt.h"

#include <csignal>
#include <cstdlib>

namespace sim {

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void OnInterrupt(int signal)
{
    if (g_signal != 0) std::_Exit(128 + signal);
    g_signal = signal;
}

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

}  // namespace sim
