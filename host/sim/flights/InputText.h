#ifndef OSTREL_SIM_FLIGHTS_INPUTTEXT_H
#define OSTREL_SIM_FLIGHTS_INPUTTEXT_H
// Reading input text (flights, events, options): lines and comma-separated
// fields that keep where each starts, numbers, and errors that point there.
// Fields are trimmed of spaces and tabs; separators inside double quotes do
// not split.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Errors in flight, event and option input: the message names the file, and
// the line and column where they are known ("flight.csv:12:30: ...").
struct FlightError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline FlightError ErrorAt(const std::string &file, int line, int column, const std::string &what)
{
    return FlightError(file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                       what);
}

struct CsvField {
    std::string_view text;  // trimmed
    int column;             // 1-based column of the field's first character (after trimming)
};

// What flyer-sim reads of an input file at most: no flight or events file
// comes near either, and a file past them is not one.
constexpr size_t kMaxInputBytes = size_t(1) << 30;  // 1 GiB
constexpr size_t kMaxLineBytes = size_t(4) << 20;   // 4 MiB

// Reads a text input file whole: `option` (--flight, --events) and `what`
// ("flight file") name it in errors. Throws FlightError for a path that is
// not a regular file (a folder, a device such as /dev/urandom, a pipe), a
// file larger than kMaxInputBytes or with a line longer than kMaxLineBytes,
// and binary content (a NUL or another control character than tab, CR and
// LF), giving its byte offset; never reads more than kMaxInputBytes + 1.
// Padding at the end of the file (TrailingPadding) is left out of the text,
// with a note in `notes` saying how many bytes; a NUL anywhere before it is
// binary content.
std::string ReadTextFile(const std::string &path, const std::string &option, const std::string &what,
                         std::vector<std::string> &notes);

// The length of the padding at the end of a text: the run of NUL and 0xFF
// bytes that ends it. Avionics preallocate their log files, and the space
// after the last line written stays as the card had it: zeroed, or erased
// flash (0xFF). Neither byte is ever text (0xFF is not UTF-8). Other bytes
// there are not taken for padding: control characters are binary content,
// spaces and blank lines are text the readers skip.
size_t TrailingPadding(std::string_view text);

// Text from input made fit for a terminal and a log: control characters
// other than newline and tab, and bytes that are not UTF-8, written as
// \xNN; a line longer than a few hundred bytes cut, saying how much was left out.
std::string Printable(std::string_view text);

// Iterates over the lines of a text buffer (LF or CRLF), numbering them from
// 1. A UTF-8 byte order mark at the start of the text is skipped.
class CsvLines {
public:
    explicit CsvLines(std::string_view text);
    // The next line, without its line end; false at the end of the text.
    bool next(std::string_view &line);
    int lineNumber() const { return number_; }
    // True when the line just returned was the last and had no line end.
    bool lastWithoutNewline() const { return lastUnterminated_; }
    // True when no non-blank line follows the one just returned.
    bool atEnd() const;

private:
    std::string_view text_;
    size_t pos_ = 0;
    int number_ = 0;
    bool lastUnterminated_ = false;
};

// Splits one line into fields at each separator outside double quotes
// (reusing out's storage).
void SplitCsvLine(std::string_view line, std::vector<CsvField> &out, char separator = ',');

// Throws FlightError at the line's first extra field, or at its end, unless
// it has exactly `count` fields.
void CheckFieldCount(const std::vector<CsvField> &fields, size_t count, std::string_view line,
                     const std::string &file, int lineNumber);
FlightError FieldCountError(const std::vector<CsvField> &fields, size_t count, std::string_view line,
                            const std::string &file, int lineNumber);

// A log whose recorder lost power mid-line ends in part of a line: the last
// line, without a line end, and `missing` (fewer fields or words than a
// whole line has). The readers drop it, with CutLineNote(why it would be
// refused) among their notes.
inline bool CutShort(const CsvLines &lines, bool missing)
{
    return missing && lines.lastWithoutNewline();
}
std::string CutLineNote(const FlightError &why);

// The text without a UTF-8 byte order mark at its start.
std::string_view WithoutBom(std::string_view text);
// A field without the double quotes around it, if it has them.
std::string_view Unquoted(std::string_view field);
bool SameNoCase(std::string_view a, std::string_view b);

// A number as messages write it: 172800, 0.5, 1e+09.
std::string FormatNumber(double v);

// Parses a whole field as a number: decimal, exponent, "nan", "inf", "-inf",
// optional leading '+'. False if anything else is in the field.
bool ParseNumber(std::string_view s, double &out);

}  // namespace sim

#endif
