#include "InputText.h"

#include <cctype>
#include <charconv>

namespace sim {

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

void CheckFieldCount(const std::vector<CsvField> &fields, size_t count, std::string_view line,
                     const std::string &file, int lineNumber)
{
    if (fields.size() == count) return;
    const int col = fields.size() > count ? fields[count].column : static_cast<int>(line.size()) + 1;
    throw ErrorAt(file, lineNumber, col,
                  "expected " + std::to_string(count) + " fields, found " + std::to_string(fields.size()));
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

bool ParseNumber(std::string_view s, double &out)
{
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty() || s.front() == '+' || s.front() == ' ') return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace sim
