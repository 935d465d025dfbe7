#include "CsvLines.h"

#include <charconv>

namespace sim {

bool CsvLines::Next(std::string_view &line)
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

bool CsvLines::AtEnd() const
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

bool ParseNumber(std::string_view s, double &out)
{
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty() || s.front() == '+' || s.front() == ' ') return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace sim
