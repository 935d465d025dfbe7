#include "SizeMessage.h"

#include <charconv>

namespace sim::web {

std::optional<PictureSize> ParseSizeMessage(std::string_view text)
{
    constexpr std::string_view prefix = "size ";
    if (text.substr(0, prefix.size()) != prefix) return std::nullopt;
    const char *p = text.data() + prefix.size();
    const char *end = text.data() + text.size();
    PictureSize s;
    auto r = std::from_chars(p, end, s.width);
    if (r.ec != std::errc() || r.ptr == end || *r.ptr != ' ') return std::nullopt;
    r = std::from_chars(r.ptr + 1, end, s.height);
    if (r.ec != std::errc() || r.ptr != end) return std::nullopt;
    // No screen is larger; anything else is no size.
    if (s.width < 1 || s.height < 1 || s.width > 16384 || s.height > 16384) return std::nullopt;
    return s;
}

}  // namespace sim::web
