#include "Help.h"

#include <cstdio>

#include "Options.h"
#include "flights/Flight.h"
#include "flights/LogReading.h"
#include "host/PanelInterface.h"

namespace sim {

std::string WindowKeysHelp(bool pause)
{
    std::string s;
    for (const WindowKey &k : kWindowKeys) s += std::string(k.label) + " " + k.what + ", ";
    return s + "V next view type" + (pause ? ", space pause" : "");
}

// The keys and the mouse, wrapped.
static std::string WindowHelp()
{
    std::vector<std::string> items;
    for (const WindowKey &k : kWindowKeys) items.push_back(std::string(k.label) + " " + k.what);
    items.insert(items.end(), {"V next view type", "space pause", "Esc quit; the mouse drags the panel."});
    return Listed(items, "  ");
}

// "  OnOff     sim/view/ostrel_flyer_on_off", one a line.
static std::string PanelCommandsHelp()
{
    std::string s;
    char line[96];
    for (const host::PanelCommand &c : host::kPanelCommands) {
        std::snprintf(line, sizeof line, "  %-9s %s\n", c.shortName, c.name);
        s += line;
    }
    return s;
}

std::string HelpFooter()
{
    return R"(Modes (one per run):
  (none)                          fly the flight to its end; only the checks run
  --at T --png FILE               write the frame drawn at elapsed time T
  --out DIR / --sheet FILE        write a frame sequence and/or a contact sheet
  --video FILE.mp4                and/or a video of the run (needs the ffmpeg program)
  --frames N --bench              time N frames with each panel type
  --window                        live preview (add --screenshot FILE --duration S to
                                  save the last frame and quit)
  --live [HOST[:PORT]]            a running X-Plane's flight over its UDP interface, with
                                  --window, --video FILE or --png FILE --duration S; without
                                  an address X-Plane is found by its beacon (port 49000 when
                                  left out); Ctrl-C, Esc or --duration end it
  --demo DIR                      both panels over the flight: contact sheets, short
                                  sequences, stills and videos under DIR

)" + FlightsHelp() +
           R"(
Frames not written (before --at T, between --every N) are not drawn: time,
datarefs, commands and mouse events still advance frame by frame, and the
plug-in is called where events fall or the view type changes. --every-frame
draws them all.

Events file (--events), one per line, '#' comments:
  <t> command <name>     begin then end phase      <t> down <x> <y>   mouse pressed
  <t> begin|continue|end <name>   one phase         <t> drag <x> <y>   mouse moved
                                                    <t> up <x> <y>     mouse released
Mouse positions are screen pixels from the lower left.

The panel's commands, for --command and the events file by short or full name:
)" + PanelCommandsHelp() + R"(
Window keys (--window):
)" + WindowHelp() + R"(
Outputs are written whole: under a temporary name beside each, renamed into place
when complete. No output may be an input (by any name) or another output, nor lie
inside --out or --demo. Runs last at most )" + LongestRun() + R"( of flight; one that
would write more than )" + std::to_string(kManyFiles) + " files or " + std::to_string((long long)(kManyBytes / 1e9)) +
           R"( GB needs --allow-large. Ctrl-C (or SIGTERM) stops a
run at the next frame: what it wrote is kept whole, a video ends there.

Exit status: 0 success, 1 the run failed (the plug-in would not load, drew nothing, or
an end-of-run check failed: handler still registered, window left, matrix stack
unbalanced, GL error), 2 bad command line or input file, 130 or 143 interrupted by
SIGINT or SIGTERM.)";
}

}  // namespace sim
