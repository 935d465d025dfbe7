// X-Plane's own data output, as written with "Disk (data.txt file)" enabled:
// one header row of X-Plane's column names (two parts of five characters,
// padded with underscores: "_Vind,_kias", "pitch,__deg"), then one row per
// sample, fields separated by '|' with spaces around them. The same columns
// in a comma-separated file, the names in double quotes, are read too. A
// trailing separator at the end of a row is allowed. Columns are found by
// name, in any case (kColumns, kDerived, kTime); the rest are ignored. A
// last line cut short (no line end, fields or the closing separator
// missing) is skipped with a warning.

#include <cmath>
#include <cstdio>
#include <optional>

#include "Flight.h"
#include "InputText.h"
#include "LogReading.h"

namespace sim {

namespace {

const std::vector<ColumnMapping> kColumns = {
    {"_Vind,_kias", "Airspeed"},
    {"__VVI,__fpm", "Vertspeed"},
    {"pitch,__deg", "Pitch"},
    {"_roll,__deg", "Roll"},
    {"hding,__mag", "Heading", 1, true},
    {"p-alt,ftMSL|__alt,ftmsl", "Altitude"},
    {"pilN1,h-def", "Nav1Hdef"},
    {"pilN1,v-def", "Nav1Vdef"},
    {"pilN1,dme-d", "Nav1DMEdist"},
};
constexpr const char *kDistance = "pilN1,dme-d";
constexpr const char *kGroundSpeed = "Vtrue,_ktgs";
const std::vector<DerivedMapping> kDerived = {
    {kDistance, "Nav1DME", "1 while above 0"},
    {"pilN1,dme-d and Vtrue,_ktgs", "Nav1DMEtime", "minutes to go"},
};
// Time 0 is the first row's.
constexpr const char *kTime = "missn,_time|_totl,_time|_real,_time";

// '|'-separated names for people: "a<between>b<last>c".
std::string Spelled(std::string names, const char *between, const char *last)
{
    const size_t lastBar = names.rfind('|');
    if (lastBar != std::string::npos) names.replace(lastBar, 1, last);
    for (size_t bar; (bar = names.find('|')) != std::string::npos;) names.replace(bar, 1, between);
    return names;
}

// "_Vind,_kias": five characters, a comma, five characters.
bool IsColumnName(std::string_view s)
{
    if (s.size() != 11 || s[5] != ',') return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (i != 5 && (s[i] == ',' || s[i] == ' ' || s[i] == '"' || s[i] == '|' || s[i] == '\t'))
            return false;
    return true;
}

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

char SeparatorOf(std::string_view header)
{
    return header.find('|') != std::string_view::npos ? '|' : ',';
}

// Splits a line. X-Plane ends every field with the separator: where the
// header does, the empty field after the last separator is no field.
bool Split(std::string_view line, char separator, std::vector<CsvField> &out, bool trailing = true)
{
    SplitCsvLine(line, out, separator);
    if (!trailing || out.size() < 2 || !out.back().text.empty()) return false;
    out.pop_back();
    return true;
}

}  // namespace

std::string XPlaneDataHelp()
{
    return "  X-Plane's data output (Data.txt, written with its Disk output on; '|' between\n"
           "  fields, or commas with the names in quotes), columns -> datarefs (the first\n"
           "  found of a|b; any case):\n" +
           DescribeColumns(kColumns, kDerived) + "    time from " + Spelled(kTime, ", else ", ", else ") + "\n";
}

bool IsXPlaneData(std::string_view text)
{
    CsvLines lines(text);
    std::string_view line;
    while (lines.next(line) && IsBlank(line)) {}
    std::vector<CsvField> fields;
    Split(line, SeparatorOf(line), fields);
    for (const CsvField &f : fields)
        if (IsColumnName(Unquoted(f.text))) return true;
    return false;
}

Flight ParseXPlaneData(const std::string &text, const std::string &file)
{
    Flight flight;
    flight.name = file;
    CsvLines lines(text);
    std::string_view line;
    std::vector<CsvField> fields;

    while (lines.next(line) && IsBlank(line)) {}
    if (lines.lineNumber() == 0 || IsBlank(line)) throw FlightError(file + ": no header row");
    const int headerLine = lines.lineNumber();
    const char separator = SeparatorOf(line);
    const bool trailing = Split(line, separator, fields);
    const size_t columnCount = fields.size();
    std::vector<std::string> names;
    for (const CsvField &f : fields) names.emplace_back(Unquoted(f.text));
    auto columnOf = [&](std::string_view name) -> int {
        for (size_t i = 0; i < names.size(); ++i)
            if (SameNoCase(names[i], name)) return static_cast<int>(i);
        return -1;
    };
    auto found = [&] {
        std::string s;
        for (const std::string &n : names) s += (s.empty() ? "" : " ") + n;
        return s;
    };

    const int timeCol = FirstColumn(kTime, columnOf);
    if (timeCol < 0)
        throw ErrorAt(file, headerLine, 1,
                      "no time column (" + Spelled(kTime, ", ", " or ") + "); found: " + found());

    TrackBuilder b(flight);
    struct Mapped {
        int column;
        int track;
    };
    std::vector<Mapped> mapped;
    std::string used;
    for (const ColumnMapping &m : kColumns)
        if (const int c = FirstColumn(m.columns, columnOf); c >= 0) {
            mapped.push_back({c, b.add(m.dataref, m.angle)});
            used += (used.empty() ? "" : " ") + names[size_t(c)];
        }
    const int distCol = columnOf(kDistance), speedCol = columnOf(kGroundSpeed);
    const int hasDme = distCol >= 0 ? b.add("Nav1DME") : -1;
    const int dmeTime = distCol >= 0 && speedCol >= 0 ? b.add("Nav1DMEtime") : -1;
    if (dmeTime >= 0) used += " " + names[size_t(speedCol)];
    if (mapped.empty())
        throw ErrorAt(file, headerLine, 1, "none of the columns drives the panel; found: " + found());

    RowClock clock;
    std::vector<std::optional<double>> values(columnCount);
    std::optional<double> dist, speed;
    while (lines.next(line)) {
        const int n = lines.lineNumber();
        if (IsBlank(line)) continue;
        // X-Plane ends each field with the separator: a last line that ends
        // without one stops inside its last field.
        const bool closed = Split(line, separator, fields, trailing) || !trailing;
        if (CutShort(lines, fields.size() < columnCount || !closed)) {
            flight.notes.push_back(CutLineNote(
                fields.size() < columnCount
                    ? FieldCountError(fields, columnCount, line, file, n)
                    : ErrorAt(file, n, static_cast<int>(line.size()) + 1,
                              std::string("no '") + separator + "' after the last field")));
            break;
        }
        CheckFieldCount(fields, columnCount, line, file, n);
        auto number = [&](int col) -> std::optional<double> {
            const CsvField &f = fields[size_t(col)];
            std::string_view v = Unquoted(f.text);
            double x;
            if (v.empty()) return std::nullopt;
            if (!ParseNumber(v, x))
                throw ErrorAt(file, n, f.column,
                              "bad number \"" + std::string(v) + "\" in column " + names[size_t(col)]);
            return x;
        };
        const std::optional<double> t = number(timeCol);
        if (!t) throw ErrorAt(file, n, fields[size_t(timeCol)].column, "empty time");
        if (!std::isfinite(*t))
            throw ErrorAt(file, n, fields[size_t(timeCol)].column,
                          "bad time \"" + std::string(fields[size_t(timeCol)].text) + "\"");
        for (const Mapped &m : mapped) values[size_t(m.column)] = number(m.column);
        const std::optional<double> speedHere = speedCol >= 0 ? number(speedCol) : std::nullopt;
        if (!clock.admit(*t, n)) continue;

        const int row = clock.rows();
        const double et = row == 0 ? 0.0 : *t - clock.first();
        for (const Mapped &m : mapped)
            if (values[size_t(m.column)]) b.put(m.track, row, et, *values[size_t(m.column)]);
        const std::optional<double> distHere = distCol >= 0 ? values[size_t(distCol)] : std::nullopt;
        if (distHere) {
            dist = distHere;
            b.put(hasDme, row, et, *distHere > 0 ? 1 : 0);
        }
        if (speedHere) speed = speedHere;
        if (dmeTime >= 0 && dist && speed && (distHere || speedHere))
            b.put(dmeTime, row, et, DmeMinutes(*dist, *speed));
        clock.kept(*t);
    }
    if (!clock.anyKept()) throw ErrorAt(file, headerLine + 1, 1, "no sample rows after the header");
    b.restUntilFirstValues();
    flight.finish();
    flight.duration = clock.last() - clock.first();

    char span[64];
    std::snprintf(span, sizeof span, "%d rows over %.1f s", clock.rows(), flight.duration);
    flight.notes.insert(flight.notes.begin(),
                        "X-Plane data output " + file + ": " + span + ", time from " + names[size_t(timeCol)] +
                            "; columns used: " + used);
    for (std::string &note : clock.notes(file)) flight.notes.push_back(std::move(note));
    return flight;
}

}  // namespace sim
