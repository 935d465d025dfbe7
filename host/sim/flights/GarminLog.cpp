// Flight data logs of Garmin integrated avionics (G1000, G3X, G500/G600 TXi):
// line 1 "#airframe_info," with key="value" pairs, line 2 the unit of each
// column (starting with '#'), line 3 the column names, then one row per
// second. Columns are found by name (kColumns, kDerived); the rest are
// ignored. An empty field is no value at that second: the last value holds,
// and only values of consecutive rows are interpolated. A last line that
// does not read (cut short when the display lost power) is skipped with a
// warning.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "Flight.h"
#include "InputText.h"
#include "LogReading.h"

namespace sim {

// The inclinometer ball sits at atan(lateral / normal acceleration) from
// centre: for the small lateral accelerations of flight that is LatAc x 57.3
// degrees, and the panel's slip value moves the ball left when positive, as
// a positive (rightward) lateral acceleration does.
constexpr double kSlipPerG = 57.3;
// X-Plane's deviation datarefs read 2.5 dots at full scale; HCDI and VCDI
// are fractions of full scale.
constexpr double kDotsPerFullScale = 2.5;

namespace {

// Headings and courses interpolate the short way round 360.
const std::vector<ColumnMapping> kColumns = {
    {"IAS", "Airspeed"},
    {"AltInd|AltB", "Altitude"},
    {"BaroA", "Baro"},
    {"VSpd", "Vertspeed"},
    {"Pitch", "Pitch"},
    {"Roll", "Roll"},
    {"HDG", "Heading", 1, true},
    {"CRS", "HDG", 1, true},
    {"CRS", "Nav1OBS", 1, true},
    {"HCDI", "Nav1Hdef", kDotsPerFullScale},
    {"VCDI", "Nav1Vdef", kDotsPerFullScale},
    {"WptDst", "Nav1DMEdist"},
    {"RollC", "FDroll"},
    {"PichC|PitchC", "FDpitch"},
    {"LatAc", "Slip", kSlipPerG},
};
constexpr const char *kDistance = "WptDst", *kGroundSpeed = "GndSpd";
constexpr const char *kRollMode = "RollM", *kAutopilot = "AfcsOn";
const std::vector<DerivedMapping> kDerived = {
    {kDistance, "Nav1DME", "1 while it has a value"},
    {"WptDst and GndSpd", "Nav1DMEtime", "minutes to go"},
    {"RollM and AfcsOn", "FDmode", "1 when RollM is not NONE, 2 with AfcsOn"},
};

// Days since 1970-01-01 of a proleptic Gregorian date.
long DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

bool ParseDigits(std::string_view s, size_t at, size_t n, int &out)
{
    if (at + n > s.size()) return false;
    out = 0;
    for (size_t i = at; i < at + n; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

bool ParseDate(std::string_view s, long &days)
{
    int y, m, d;
    if (s.size() != 10 || s[4] != '-' || s[7] != '-' || !ParseDigits(s, 0, 4, y) ||
        !ParseDigits(s, 5, 2, m) || !ParseDigits(s, 8, 2, d) || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    days = DaysFromCivil(y, m, d);
    return true;
}

bool ParseClock(std::string_view s, long &seconds)
{
    int h, m, sec;
    if (s.size() != 8 || s[2] != ':' || s[5] != ':' || !ParseDigits(s, 0, 2, h) ||
        !ParseDigits(s, 3, 2, m) || !ParseDigits(s, 6, 2, sec) || h > 23 || m > 59 || sec > 60)
        return false;
    seconds = h * 3600L + m * 60L + sec;
    return true;
}

std::string HoursMinutesSeconds(long s)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    return buf;
}

}  // namespace

std::string GarminLogHelp()
{
    return "  Garmin flight data logs (G1000, G3X, G500/G600 TXi; first line\n"
           "  \"#airframe_info\"), columns -> datarefs (the first found of a|b; what a log\n"
           "  lacks stays at rest):\n" +
           DescribeColumns(kColumns, kDerived);
}

Flight ParseGarminLog(const std::string &text, const std::string &file)
{
    Flight flight;
    flight.name = file;
    CsvLines lines(text);
    std::string_view line;
    std::vector<CsvField> fields;

    // Line 1: airframe information.
    lines.next(line);
    SplitCsvLine(line, fields);
    std::string airframe, product;
    for (size_t i = 1; i < fields.size(); ++i) {
        std::string_view f = fields[i].text;
        size_t eq = f.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = f.substr(0, eq);
        while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
        if (SameNoCase(key, "airframe_name")) airframe = Unquoted(f.substr(eq + 1));
        if (SameNoCase(key, "product")) product = Unquoted(f.substr(eq + 1));
    }
    // Line 2: units; line 3: column names.
    if (!lines.next(line) || line.empty() || line[0] != '#')
        throw ErrorAt(file, 2, 1, "expected the line of column units, starting with '#'");
    if (!lines.next(line)) throw ErrorAt(file, 3, 1, "expected the line of column names");
    SplitCsvLine(line, fields);
    const size_t columnCount = fields.size();
    std::vector<std::string> names;
    for (const CsvField &f : fields) names.emplace_back(f.text);
    auto columnOf = [&](std::string_view name) -> int {
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i].text == name) return static_cast<int>(i);
        return -1;
    };
    const int dateCol = columnOf("Lcl Date"), timeCol = columnOf("Lcl Time");
    if (dateCol < 0) throw ErrorAt(file, 3, 1, "no \"Lcl Date\" column");
    if (timeCol < 0) throw ErrorAt(file, 3, 1, "no \"Lcl Time\" column");

    TrackBuilder b(flight);
    struct Mapped {
        int column;
        int track;
        double factor;
    };
    std::vector<Mapped> mapped;
    for (const ColumnMapping &m : kColumns) {
        const int c = FirstColumn(m.columns, columnOf);
        if (c >= 0) mapped.push_back({c, b.add(m.dataref, m.angle), m.factor});
    }
    const int distCol = columnOf(kDistance), speedCol = columnOf(kGroundSpeed);
    const int hasDme = distCol >= 0 ? b.add("Nav1DME") : -1;
    const int dmeTime = distCol >= 0 && speedCol >= 0 ? b.add("Nav1DMEtime") : -1;
    const int rollModeCol = columnOf(kRollMode), afcsCol = columnOf(kAutopilot);
    const int fdMode = rollModeCol >= 0 || afcsCol >= 0 ? b.add("FDmode") : -1;

    std::optional<double> lastDist, lastSpeed;
    std::optional<bool> rollModeOn, afcsOn;
    RowClock clock;
    std::string firstStamp, lastStamp;
    int skippedNoClock = 0;
    std::vector<double> values(mapped.size());

    while (lines.next(line)) {
        const int n = lines.lineNumber();
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        const bool last = lines.atEnd();
        SplitCsvLine(line, fields);
        try {
            CheckFieldCount(fields, columnCount, line, file, n);
            // The clock; a row without one is taken as one second after the last.
            const int row = clock.rows();
            long t;
            const CsvField &df = fields[dateCol], &tf = fields[timeCol];
            if (df.text.empty() || tf.text.empty()) {
                if (row == 0) {
                    ++skippedNoClock;
                    continue;
                }
                t = static_cast<long>(clock.last()) + 1;
            } else {
                long days, secs;
                if (!ParseDate(df.text, days))
                    throw ErrorAt(file, n, df.column, "bad date \"" + std::string(df.text) + "\"");
                if (!ParseClock(tf.text, secs))
                    throw ErrorAt(file, n, tf.column, "bad time \"" + std::string(tf.text) + "\"");
                t = days * 86400 + secs;
            }
            if (!clock.admit(static_cast<double>(t), n)) continue;
            // Parse the whole row before keeping any of it, so a bad field
            // (or a last line cut short) leaves nothing half-read behind.
            auto number = [&](int col, double &v) {
                const CsvField &f = fields[size_t(col)];
                if (f.text.empty()) return false;
                if (!ParseNumber(f.text, v))
                    throw ErrorAt(file, n, f.column,
                                  "bad number \"" + std::string(f.text) + "\" in column " + names[size_t(col)]);
                return true;
            };
            for (size_t i = 0; i < mapped.size(); ++i) number(mapped[i].column, values[i]);
            std::optional<double> dist = lastDist, speed = lastSpeed;
            std::optional<bool> rollMode = rollModeOn, afcs = afcsOn;
            double v;
            const bool distHere = distCol >= 0 && number(distCol, v);
            if (distHere) dist = v;
            const bool speedHere = speedCol >= 0 && number(speedCol, v);
            if (speedHere) speed = v;
            if (afcsCol >= 0 && number(afcsCol, v)) afcs = v != 0;
            if (rollModeCol >= 0 && !fields[size_t(rollModeCol)].text.empty())
                rollMode = fields[size_t(rollModeCol)].text != "NONE";

            if (!df.text.empty() && !tf.text.empty()) {
                lastStamp = std::string(df.text) + " " + std::string(tf.text);
                if (row == 0) firstStamp = lastStamp;
            }
            const double et = row == 0 ? 0.0 : static_cast<double>(t) - clock.first();
            for (size_t i = 0; i < mapped.size(); ++i)
                if (!fields[size_t(mapped[i].column)].text.empty())
                    b.put(mapped[i].track, row, et, values[i] * mapped[i].factor);
            if (distHere) b.put(hasDme, row, et, 1);
            if (dmeTime >= 0 && dist && speed && (distHere || speedHere))
                b.put(dmeTime, row, et, DmeMinutes(*dist, *speed));
            if (fdMode >= 0 && (rollMode || afcs)) {
                bool on = rollMode.value_or(false) || afcs.value_or(false);
                b.put(fdMode, row, et, on ? (afcs.value_or(false) ? 2 : 1) : 0);
            }
            rollModeOn = rollMode;
            afcsOn = afcs;
            lastDist = dist;
            lastSpeed = speed;
            clock.kept(static_cast<double>(t));
        } catch (const FlightError &e) {
            // The display lost power mid-write: the last line is cut short.
            if (!last) throw;
            flight.notes.push_back(CutLineNote(e));
        }
    }
    if (!clock.anyKept()) throw ErrorAt(file, 4, 1, "no data rows with a clock");
    b.restUntilFirstValues();
    flight.finish();
    const long span = static_cast<long>(clock.last() - clock.first());
    flight.duration = static_cast<double>(span);

    std::string head = "Garmin flight data log " + file + ": airframe \"" +
                       (airframe.empty() ? std::string("unknown") : airframe) + "\"";
    if (!product.empty()) head += " (" + product + ")";
    head += ", " + firstStamp + " to " + lastStamp + " local, " +
            HoursMinutesSeconds(span) + ", " + std::to_string(clock.rows()) + " rows";
    flight.notes.insert(flight.notes.begin(), head);
    if (skippedNoClock)
        flight.notes.push_back("warning: skipped " + std::to_string(skippedNoClock) +
                               " rows before the first clock value");
    for (std::string &note : clock.notes(file)) flight.notes.push_back(std::move(note));
    return flight;
}

}  // namespace sim
