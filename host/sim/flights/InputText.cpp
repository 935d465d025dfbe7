#include "InputText.h"

#include <cctype>
#include <cstdint>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace sim {

namespace {

// The length of the UTF-8 sequence at text[i], 0 if none starts there
// (a stray continuation byte, an overlong or cut sequence, a surrogate).
size_t Utf8Length(std::string_view text, size_t i)
{
    const auto byte = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned c = byte(i);
    const auto cont = [&](size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
        return byte(k) >= lo && byte(k) <= hi;
    };
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return cont(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
        return cont(i + 1, lo, hi) && cont(i + 2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
        return cont(i + 1, lo, hi) && cont(i + 2) && cont(i + 3) ? 4 : 0;
    }
    return 0;
}

// "\x1B" (escaped in text), or "0x1B".
std::string Hex(unsigned char c, bool escaped = true)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, escaped ? "\\x%02X" : "0x%02X", c);
    return buf;
}

std::string Megabytes(uintmax_t bytes)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f MB", double(bytes) / (1 << 20));
    return buf;
}

}  // namespace

size_t TrailingPadding(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\0' || text[end - 1] == '\xFF')) --end;
    return text.size() - end;
}

std::string ReadTextFile(const std::string &path, const std::string &option, const std::string &what,
                         std::vector<std::string> &notes)
{
    const std::string named = option + " " + Printable(path) + ": ";
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        throw FlightError(named + "cannot open the " + what + " (" +
                          (ec ? ec.message() : std::string("no such file")) + ")");
    if (fs::is_directory(status)) throw FlightError(named + "is a folder, not a " + what);
    if (!fs::is_regular_file(status))
        throw FlightError(named + "is not a regular file (a device, a pipe or a socket), not a " + what);
    const uintmax_t size = fs::file_size(path, ec);
    const std::string tooLarge =
        named + "larger than the " + Megabytes(kMaxInputBytes) + " flyer-sim reads of a " + what;
    if (!ec && size > kMaxInputBytes) throw FlightError(tooLarge);

    std::ifstream in(path, std::ios::binary);
    if (!in) throw FlightError(named + "cannot open the " + what);
    // Read in blocks up to one byte past the limit: a file that grows while
    // it is read is still refused, and memory stays bounded.
    std::string text;
    std::vector<char> block(size_t(1) << 20);
    while (in) {
        in.read(block.data(), std::streamsize(block.size()));
        text.append(block.data(), size_t(in.gcount()));
        if (text.size() > kMaxInputBytes) throw FlightError(tooLarge);
    }
    if (in.bad()) throw FlightError(named + "cannot read the " + what);
    if (const size_t padding = TrailingPadding(text)) {
        const std::string_view pad = std::string_view(text).substr(text.size() - padding);
        const bool nul = pad.find('\0') != std::string_view::npos, ff = pad.find('\xFF') != std::string_view::npos;
        notes.push_back(named + "ignored the " + std::to_string(padding) + " bytes of " +
                        (nul && ff ? "NUL and 0xFF" : nul ? "NUL" : "0xFF") +
                        " padding at its end (the unused space of a preallocated file)");
        text.resize(text.size() - padding);
    }

    int line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            if (i - lineStart > kMaxLineBytes)
                throw FlightError(named + "line " + std::to_string(line) + " is longer than the " +
                                  Megabytes(kMaxLineBytes) + " flyer-sim reads of a line");
            ++line;
            lineStart = i + 1;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F)
            throw FlightError(named + "byte " + std::to_string(i) + " (line " + std::to_string(line) +
                              ", column " + std::to_string(i - lineStart + 1) + ") is " + Hex(c, false) +
                              ": binary content, not a " + what);
    }
    return text;
}

std::string Printable(std::string_view text)
{
    constexpr size_t kLongestLine = 400;
    std::string out;
    size_t lineLength = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            out += '\n';
            lineLength = 0;
            ++i;
            continue;
        }
        if (lineLength >= kLongestLine) {
            size_t end = text.find('\n', i);
            if (end == std::string_view::npos) end = text.size();
            out += "... (" + std::to_string(end - i) + " more bytes)";
            i = end;
            continue;
        }
        const size_t n = Utf8Length(text, i);
        // U+0080 to U+009F are control characters too (C2 80 to C2 9F).
        const bool c1 = c == 0xC2 && n == 2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if ((c >= 0x20 && c < 0x7F) || c == '\t' || (c >= 0x80 && n > 0 && !c1)) {
            out.append(text.substr(i, n));
            i += n;
            ++lineLength;
        } else {
            out += Hex(c);
            ++i;
            lineLength += 4;
        }
    }
    return out;
}

CsvLines::CsvLines(std::string_view text) : text_(WithoutBom(text)) {}

bool CsvLines::next(std::string_view &line)
{
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    lastUnterminated_ = end == std::string_view::npos;
    if (lastUnterminated_) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = lastUnterminated_ ? end : end + 1;
    ++number_;
    return true;
}

bool CsvLines::atEnd() const
{
    for (size_t i = pos_; i < text_.size(); ++i)
        if (text_[i] != ' ' && text_[i] != '\t' && text_[i] != '\r' && text_[i] != '\n')
            return false;
    return true;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SplitCsvLine(std::string_view line, std::vector<CsvField> &out, char separator)
{
    out.clear();
    size_t start = 0;
    bool quoted = false;
    for (size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size()) {
            if (line[i] == '"') quoted = !quoted;
            if (line[i] != separator || quoted) continue;
        }
        size_t b = start, e = i;
        while (b < e && IsBlank(line[b])) ++b;
        while (e > b && IsBlank(line[e - 1])) --e;
        out.push_back({line.substr(b, e - b), static_cast<int>(b) + 1});
        start = i + 1;
    }
}

FlightError FieldCountError(const std::vector<CsvField> &fields, size_t count, std::string_view line,
                            const std::string &file, int lineNumber)
{
    const int col = fields.size() > count ? fields[count].column : static_cast<int>(line.size()) + 1;
    return ErrorAt(file, lineNumber, col,
                   "expected " + std::to_string(count) + " fields, found " + std::to_string(fields.size()));
}

void CheckFieldCount(const std::vector<CsvField> &fields, size_t count, std::string_view line,
                     const std::string &file, int lineNumber)
{
    if (fields.size() != count) throw FieldCountError(fields, count, line, file, lineNumber);
}

std::string CutLineNote(const FlightError &why)
{
    return std::string("warning: ") + why.what() + " (last line cut short; skipped)";
}

std::string_view WithoutBom(std::string_view text)
{
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.remove_prefix(3);
    return text;
}

std::string_view Unquoted(std::string_view v)
{
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return v;
}

bool SameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string FormatNumber(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

bool ParseNumber(std::string_view s, double &out)
{
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty() || s.front() == '+' || s.front() == ' ') return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace sim
