#include "Events.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>

#include "InputText.h"
#include "XPLMDisplay.h"
#include "XPLMUtilities.h"
#include "host/PanelInterface.h"

namespace sim {

namespace {

struct Word {
    std::string_view text;
    int column;
};

std::vector<Word> Words(std::string_view line)
{
    std::vector<Word> out;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == '#') break;
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        size_t b = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '#') ++i;
        out.push_back({line.substr(b, i - b), static_cast<int>(b) + 1});
    }
    return out;
}

bool ParseInt(std::string_view s, int &out)
{
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

bool ParseTime(std::string_view s, double &t)
{
    return ParseNumber(s, t) && std::isfinite(t) && t >= 0;
}

// A panel command's full name for its short one; any other name as it is.
std::string CommandNamed(std::string_view name)
{
    for (const host::PanelCommand &c : host::kPanelCommands)
        if (name == c.shortName) return c.name;
    return std::string(name);
}

}  // namespace

std::vector<Event> ParseEvents(const std::string &text, const std::string &file, std::vector<std::string> &notes)
{
    std::vector<Event> events;
    CsvLines lines(text);
    std::string_view line;
    while (lines.next(line)) {
        const int n = lines.lineNumber();
        std::vector<Word> w = Words(line);
        if (w.empty()) continue;
        Event e;
        e.origin = file + ":" + std::to_string(n);
        if (!ParseTime(w[0].text, e.time))
            throw ErrorAt(file, n, w[0].column,
                          "bad time \"" + std::string(w[0].text) + "\" (seconds, 0 or more)");
        // Words missing: refused, or on a last line cut short, dropped.
        auto missing = [&](const std::string &what) {
            const FlightError why = ErrorAt(file, n, static_cast<int>(line.size()) + 1, what);
            if (!CutShort(lines, true)) throw why;
            notes.push_back(CutLineNote(why));
        };
        if (w.size() < 2) {
            missing("missing event kind");
            break;
        }
        std::string_view kind = w[1].text;
        auto expect = [&](size_t count, const char *what) {
            if (w.size() < count) {
                missing("\"" + std::string(kind) + "\" needs " + what);
                return false;
            }
            if (w.size() > count)
                throw ErrorAt(file, n, w[count].column, "unexpected \"" + std::string(w[count].text) + "\"");
            return true;
        };
        if (kind == "command" || kind == "begin" || kind == "continue" || kind == "end") {
            if (!expect(3, "a command name")) break;
            e.kind = Event::Kind::Command;
            e.command = CommandNamed(w[2].text);
            if (kind == "command") e.phases = {xplm_CommandBegin, xplm_CommandEnd};
            if (kind == "begin") e.phases = {xplm_CommandBegin};
            if (kind == "continue") e.phases = {xplm_CommandContinue};
            if (kind == "end") e.phases = {xplm_CommandEnd};
        } else if (kind == "down" || kind == "drag" || kind == "up") {
            if (!expect(4, "x and y (screen pixels)")) break;
            e.kind = Event::Kind::Mouse;
            e.mouse = kind == "down" ? xplm_MouseDown : kind == "drag" ? xplm_MouseDrag : xplm_MouseUp;
            if (!ParseInt(w[2].text, e.x))
                throw ErrorAt(file, n, w[2].column, "bad x \"" + std::string(w[2].text) + "\"");
            if (!ParseInt(w[3].text, e.y))
                throw ErrorAt(file, n, w[3].column, "bad y \"" + std::string(w[3].text) + "\"");
        } else {
            throw ErrorAt(file, n, w[1].column,
                          "unknown event \"" + std::string(kind) +
                              "\" (command, begin, continue, end, down, drag, up)");
        }
        events.push_back(std::move(e));
    }
    return events;
}

std::vector<Event> LoadEvents(const std::string &path)
{
    std::vector<std::string> notes;
    std::vector<Event> events = ParseEvents(ReadTextFile(path, "--events", "events file", notes), path, notes);
    for (const std::string &note : notes) std::cerr << "flyer-sim: " << Printable(note) << "\n";
    return events;
}

std::string ParseCommandAt(const std::string &text, Event &out)
{
    size_t at = text.rfind('@');
    if (at == std::string::npos || at == 0) return "expected NAME@SECONDS, got \"" + text + "\"";
    double t;
    if (!ParseTime(std::string_view(text).substr(at + 1), t))
        return "bad time in \"" + text + "\" (seconds, 0 or more)";
    out = Event{};
    out.time = t;
    out.kind = Event::Kind::Command;
    out.command = CommandNamed(std::string_view(text).substr(0, at));
    out.phases = {xplm_CommandBegin, xplm_CommandEnd};
    out.origin = "--command " + text;
    return {};
}

void SortEvents(std::vector<Event> &events)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const Event &a, const Event &b) { return a.time < b.time; });
}

}  // namespace sim
