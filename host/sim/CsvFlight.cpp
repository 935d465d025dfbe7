// The project's flight file: a header row with "time" and full dataref names
// ("name[i]" for array elements), then one row per sample. An empty field is
// no sample; blank lines and lines starting with '#' are skipped.

#include <cmath>
#include <limits>

#include "CsvLines.h"
#include "Flight.h"
#include "FlightError.h"

namespace sim {

namespace {

struct Column {
    int track = -1;     // index into flight.tracks; -1 for the time column
    int lastRow = -2;   // data row of the column's last sample
};

bool IsSkipped(std::string_view line)
{
    size_t i = line.find_first_not_of(" \t");
    return i == std::string_view::npos || line[i] == '#';
}

}  // namespace

Flight ParseCsvFlight(const std::string &text, const std::string &file)
{
    Flight flight;
    flight.name = file;
    CsvLines lines(text);
    std::string_view line;
    std::vector<CsvField> fields;
    std::vector<Column> columns;
    int timeColumn = -1;

    while (lines.Next(line) && IsSkipped(line)) {}
    if (lines.LineNumber() == 0 || IsSkipped(line))
        throw FlightError(file + ": no header row (expected \"time\" and dataref names)");
    int headerLine = lines.LineNumber();
    SplitCsvLine(line, fields);
    for (size_t i = 0; i < fields.size(); ++i) {
        const CsvField &f = fields[i];
        Column c;
        if (f.text == "time") {
            if (timeColumn >= 0) throw ErrorAt(file, headerLine, f.column, "second \"time\" column");
            timeColumn = static_cast<int>(i);
        } else {
            if (f.text.empty()) throw ErrorAt(file, headerLine, f.column, "empty column name");
            DatarefKey key;
            std::string why = ParseDatarefKey(f.text, key);
            if (!why.empty()) throw ErrorAt(file, headerLine, f.column, why);
            if (flight.Find(key))
                throw ErrorAt(file, headerLine, f.column, "column " + key.Text() + " appears twice");
            c.track = static_cast<int>(flight.tracks.size());
            flight.tracks.push_back(Track{key, {}});
        }
        columns.push_back(c);
    }
    if (timeColumn < 0) throw ErrorAt(file, headerLine, 1, "no \"time\" column in the header");

    double firstTime = 0, lastTime = -std::numeric_limits<double>::infinity();
    int row = 0;
    while (lines.Next(line)) {
        if (IsSkipped(line)) continue;
        int n = lines.LineNumber();
        SplitCsvLine(line, fields);
        if (fields.size() != columns.size()) {
            int col = fields.size() > columns.size() ? fields[columns.size()].column
                                                     : static_cast<int>(line.size()) + 1;
            throw ErrorAt(file, n, col,
                          "expected " + std::to_string(columns.size()) + " fields, found " +
                              std::to_string(fields.size()));
        }
        const CsvField &tf = fields[timeColumn];
        double t;
        if (tf.text.empty()) throw ErrorAt(file, n, tf.column, "empty time");
        if (!ParseNumber(tf.text, t) || !std::isfinite(t))
            throw ErrorAt(file, n, tf.column, "bad time \"" + std::string(tf.text) + "\"");
        if (t <= lastTime)
            throw ErrorAt(file, n, tf.column,
                          "time " + std::string(tf.text) + " is not after the previous row's");
        lastTime = t;
        if (row == 0) firstTime = t;
        // Samples are timed from the first row; a span beyond the doubles
        // would time them at infinity and the flight would never end.
        if (!std::isfinite(t - firstTime))
            throw ErrorAt(file, n, tf.column,
                          "time " + std::string(tf.text) + " is too far from the first row's");

        for (size_t i = 0; i < fields.size(); ++i) {
            Column &c = columns[i];
            const CsvField &f = fields[i];
            if (c.track < 0 || f.text.empty()) continue;
            Track &track = flight.tracks[c.track];
            double v;
            if (!ParseNumber(f.text, v))
                throw ErrorAt(file, n, f.column,
                              "bad number \"" + std::string(f.text) + "\" for " + track.key.Text());
            if (track.Steps() && (!std::isfinite(v) || v != std::floor(v) || v < INT32_MIN ||
                                  v > INT32_MAX))
                throw ErrorAt(file, n, f.column,
                              track.key.Text() + " takes whole numbers, not \"" +
                                  std::string(f.text) + "\"");
            if (!track.samples.empty()) track.samples.back().linked = c.lastRow == row - 1;
            track.samples.push_back({t - firstTime, v, false});
            c.lastRow = row;
        }
        ++row;
    }
    if (row == 0) throw ErrorAt(file, headerLine + 1, 1, "no sample rows after the header");
    flight.notes.push_back(file + ": " + std::to_string(row) + " samples over " +
                           std::to_string(lastTime - firstTime) + " s");
    flight.Finish();
    flight.duration = lastTime - firstTime;
    return flight;
}

}  // namespace sim
