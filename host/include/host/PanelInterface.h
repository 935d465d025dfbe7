#ifndef OSTREL_HOST_PANELINTERFACE_H
#define OSTREL_HOST_PANELINTERFACE_H
// How the simulator works the panel, as the stand-in knows it: the panel's
// six commands, each with the short name flyer-sim's --command, its events
// file and the tests may use in place of the full one (the plug-in's own
// name for the command), and the view types in which the panel shows.
//
// These are the host's lists; flyer-sim, the test harness and the golden
// tests all read them. The plug-in keeps its own tables (it must not depend
// on the host).

#include <cstddef>
#include <string_view>

namespace host {

struct PanelCommand {
    const char *shortName;
    const char *name;
};

inline constexpr PanelCommand kPanelCommands[] = {
    {"OnOff", "sim/view/ostrel_flyer_on_off"},
    {"Larger", "sim/view/ostrel_panel_larger"},
    {"Smaller", "sim/view/ostrel_panel_smaller"},
    {"Switch", "sim/view/ostrel_select"},
    {"Alpha", "sim/view/ostrel_transparency"},
    {"Force", "sim/view/ostrel_force_on"},
};

// The full name for a short one. An unknown name throws, so one that
// initialises a constexpr does not compile.
constexpr const char *CommandName(std::string_view shortName)
{
    for (size_t i = 0; i < sizeof kPanelCommands / sizeof kPanelCommands[0]; ++i)
        if (shortName == kPanelCommands[i].shortName) return kPanelCommands[i].name;
    throw "unknown command";
}

// The view types (sim/graphics/view/view_type) in which the panel shows,
// and two of those in which it does not.
inline constexpr int kShownViews[] = {1014, 1017, 1018, 1020, 1021, 1023, 1024};
inline constexpr int kHiddenViews[] = {1000, 1026};

}  // namespace host

#endif
