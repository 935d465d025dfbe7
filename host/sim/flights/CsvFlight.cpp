// The project's flight file: a header row with "time" and dataref names,
// full or short ("name[i]" for array elements), then one row per sample. An
// empty field is no sample; blank lines and lines starting with '#' are
// skipped. Rows repeating the last kept time, or going back before it, are
// skipped with a warning (RowClock). Before its first sample a column holds
// that sample's value. A last line cut short (no line end, fields missing)
// is skipped with a warning.

#include <cmath>
#include <cstdint>

#include "Flight.h"
#include "InputText.h"
#include "LogReading.h"

namespace sim {

namespace {

bool IsSkipped(std::string_view line)
{
    size_t i = line.find_first_not_of(" \t");
    return i == std::string_view::npos || line[i] == '#';
}

}  // namespace

std::string CsvFlightHelp()
{
    return "  the project's CSV: a header row with \"time\" and dataref names, full or short\n"
           "    (\"name[i]\" for array elements), one row per sample; floats interpolate\n"
           "    linearly, ints step, an empty field is no sample.\n";
}

Flight ParseCsvFlight(const std::string &text, const std::string &file)
{
    Flight flight;
    flight.name = file;
    CsvLines lines(text);
    std::string_view line;
    std::vector<CsvField> fields;
    std::vector<int> columns;  // each column's track; -1 for the time column
    int timeColumn = -1;
    TrackBuilder b(flight);

    while (lines.next(line) && IsSkipped(line)) {}
    if (lines.lineNumber() == 0 || IsSkipped(line))
        throw FlightError(file + ": no header row (expected \"time\" and dataref names)");
    int headerLine = lines.lineNumber();
    SplitCsvLine(line, fields);
    for (size_t i = 0; i < fields.size(); ++i) {
        const CsvField &f = fields[i];
        int track = -1;
        if (f.text == "time") {
            if (timeColumn >= 0) throw ErrorAt(file, headerLine, f.column, "second \"time\" column");
            timeColumn = static_cast<int>(i);
        } else {
            if (f.text.empty()) throw ErrorAt(file, headerLine, f.column, "empty column name");
            DatarefKey key;
            std::string why = ParseDatarefKey(f.text, key);
            if (!why.empty()) throw ErrorAt(file, headerLine, f.column, why);
            if (flight.find(key))
                throw ErrorAt(file, headerLine, f.column, "column " + key.text() + " appears twice");
            track = b.add(key);
        }
        columns.push_back(track);
    }
    if (timeColumn < 0) throw ErrorAt(file, headerLine, 1, "no \"time\" column in the header");

    RowClock clock;
    std::vector<double> values(columns.size());
    while (lines.next(line)) {
        if (IsSkipped(line)) continue;
        int n = lines.lineNumber();
        SplitCsvLine(line, fields);
        if (CutShort(lines, fields.size() < columns.size())) {
            flight.notes.push_back(CutLineNote(FieldCountError(fields, columns.size(), line, file, n)));
            break;
        }
        CheckFieldCount(fields, columns.size(), line, file, n);
        const CsvField &tf = fields[timeColumn];
        double t;
        if (tf.text.empty()) throw ErrorAt(file, n, tf.column, "empty time");
        if (!ParseNumber(tf.text, t) || !std::isfinite(t))
            throw ErrorAt(file, n, tf.column, "bad time \"" + std::string(tf.text) + "\"");
        // Every field is checked, in kept and skipped rows alike.
        for (size_t i = 0; i < fields.size(); ++i) {
            const CsvField &f = fields[i];
            if (columns[i] < 0 || f.text.empty()) continue;
            const Track &track = flight.tracks[size_t(columns[i])];
            double &v = values[i];
            if (!ParseNumber(f.text, v))
                throw ErrorAt(file, n, f.column,
                              "bad number \"" + std::string(f.text) + "\" for " + track.key.text());
            if (track.steps() && (!std::isfinite(v) || v != std::floor(v) || v < INT32_MIN ||
                                  v > INT32_MAX))
                throw ErrorAt(file, n, f.column,
                              track.key.text() + " takes whole numbers, not \"" +
                                  std::string(f.text) + "\"");
        }
        if (!clock.admit(t, n)) continue;
        const int row = clock.rows();
        const double firstTime = row == 0 ? t : clock.first();
        // Samples are timed from the first row; a span beyond the doubles
        // would time them at infinity and the flight would never end.
        if (!std::isfinite(t - firstTime))
            throw ErrorAt(file, n, tf.column,
                          "time " + std::string(tf.text) + " is too far from the first row's");
        for (size_t i = 0; i < fields.size(); ++i)
            if (columns[i] >= 0 && !fields[i].text.empty()) b.put(columns[i], row, t - firstTime, values[i]);
        clock.kept(t);
    }
    if (!clock.anyKept()) throw ErrorAt(file, headerLine + 1, 1, "no sample rows after the header");
    const double span = clock.last() - clock.first();
    flight.notes.push_back(file + ": " + std::to_string(clock.rows()) + " samples over " +
                           std::to_string(span) + " s");
    for (std::string &note : clock.notes(file)) flight.notes.push_back(std::move(note));
    flight.finish();
    flight.duration = span;
    return flight;
}

}  // namespace sim
