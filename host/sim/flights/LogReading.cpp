#include "LogReading.h"

#include <algorithm>
#include <cstdio>

namespace sim {

bool RowClock::admit(double t, int line)
{
    if (kept_ == 0) return true;
    if (goingBack_ && t <= last_) {
        backLines_.back().second = line;
        ++wentBack_;
        return false;
    }
    goingBack_ = false;
    if (t == last_) {
        ++repeated_;
        return false;
    }
    if (t < last_) {
        goingBack_ = true;
        backLines_.push_back({line, line});
        ++wentBack_;
        return false;
    }
    return true;
}

void RowClock::kept(double t)
{
    if (kept_++ == 0) first_ = t;
    last_ = t;
}

std::vector<std::string> RowClock::notes(const std::string &file) const
{
    std::vector<std::string> notes;
    if (repeated_)
        notes.push_back("warning: " + file + ": skipped " + std::to_string(repeated_) +
                        " rows repeating the previous row's time (recorded while paused)");
    if (wentBack_) {
        // The first few runs by line; a recording restarted many times says how many more.
        constexpr size_t kListed = 8;
        std::string lines;
        for (size_t i = 0; i < backLines_.size() && i < kListed; ++i) {
            const auto &[a, b] = backLines_[i];
            lines += (i ? ", " : "") + std::to_string(a) + (b != a ? "-" + std::to_string(b) : "");
        }
        if (backLines_.size() > kListed)
            lines += " and " + std::to_string(backLines_.size() - kListed) + " more runs";
        notes.push_back("warning: " + file + ": skipped " + std::to_string(wentBack_) +
                        " rows whose time goes back (the recording restarted) until it passed the "
                        "last kept row's: lines " + lines);
    }
    return notes;
}

std::string DescribeColumns(const std::vector<ColumnMapping> &mapped,
                            const std::vector<DerivedMapping> &derived)
{
    std::vector<std::string> items;
    char factor[32];
    for (const ColumnMapping &m : mapped) {
        std::snprintf(factor, sizeof factor, " x %g", m.factor);
        items.push_back(std::string(m.columns) + (m.factor != 1 ? factor : "") + " -> " + m.dataref);
    }
    for (const DerivedMapping &d : derived)
        items.push_back(std::string(d.columns) + " -> " + d.dataref + " (" + d.how + ")");
    return Listed(items, "    ");
}

std::string Listed(const std::vector<std::string> &items, const std::string &indent)
{
    constexpr size_t kWidth = 80;
    std::string out, line = indent;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
        if (line.size() > indent.size() && line.size() + 1 + item.size() > kWidth) {
            out += line + "\n";
            line = indent;
        }
        line += (line.size() > indent.size() ? " " : "") + item;
    }
    return out + line + "\n";
}

}  // namespace sim
