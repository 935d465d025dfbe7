#ifndef OSTREL_SIM_CLI_HELP_H
#define OSTREL_SIM_CLI_HELP_H
// What --help says below the options, and the keys of the --window preview.

#include <string>

namespace sim {

// The preview window's keys for the panel commands (short names,
// host/PanelInterface.h); a printable key is its character, as GLFW codes it.
struct WindowKey {
    int key;
    const char *label;
    const char *command;
    const char *what;
};

inline constexpr WindowKey kWindowKeys[] = {
    {'O', "O", "OnOff", "on/off"},        {'=', "=", "Larger", "larger"},
    {'-', "-", "Smaller", "smaller"},     {'S', "S", "Switch", "GA/Glass"},
    {'T', "T", "Alpha", "transparency"}, {'F', "F", "Force", "force on"},
};

// "O on/off, = larger, ..., V next view type, space pause" (live runs do not pause).
std::string WindowKeysHelp(bool pause = true);

// Modes, flights, events file, window keys and exit status.
std::string HelpFooter();

}  // namespace sim

#endif
