#ifndef OSTREL_SIM_FLIGHTS_EVENTS_H
#define OSTREL_SIM_FLIGHTS_EVENTS_H
// Timed input for the plug-in: command phases and mouse events.
//
// Events file, one event per line ('#' starts a comment):
//   <time> command <name>      begin then end phase of a command
//   <time> begin <name>        one phase: begin, continue or end
//   <time> continue <name>
//   <time> end <name>
//   <time> down <x> <y>        mouse button pressed at screen pixel (x, y), y up
//   <time> drag <x> <y>        mouse moved with the button held
//   <time> up <x> <y>          mouse button released
// A panel command may go by its short name (host/PanelInterface.h: Switch
// for sim/view/ostrel_select). Times are seconds of elapsed time; an event
// is delivered before the first frame drawn at or after its time, in time
// order (file order for equal times).

#include <string>
#include <vector>

namespace sim {

struct Event {
    enum class Kind { Command, Mouse };
    double time = 0;
    Kind kind = Kind::Command;
    std::string command;  // Command: the command's name
    std::vector<int> phases;  // Command: xplm_CommandBegin / Continue / End, in order
    int mouse = 0;        // Mouse: xplm_MouseDown / Drag / Up
    int x = 0, y = 0;
    std::string origin;   // where it was written, for messages: "events.txt:3" or "--command"
};

// Parses an events file. Throws FlightError with file, line and column. A
// last line cut short (no line end, words missing) is dropped with a warning
// in `notes`.
std::vector<Event> ParseEvents(const std::string &text, const std::string &file, std::vector<std::string> &notes);
// Reads and parses an events file, printing its warnings on stderr.
std::vector<Event> LoadEvents(const std::string &path);

// Parses "NAME@T" (--command). Returns an empty string on success, else why not.
std::string ParseCommandAt(const std::string &text, Event &out);

// Stable sort by time.
void SortEvents(std::vector<Event> &events);

}  // namespace sim

#endif
