#ifndef OSTREL_SIM_WEB_SIZEMESSAGE_H
#define OSTREL_SIM_WEB_SIZEMESSAGE_H
// What a page says on the picture stream: "size W H", the size it shows the
// panel at in its device pixels, so the panel can be drawn that large.

#include <optional>
#include <string_view>

namespace sim::web {

struct PictureSize {
    int width = 0, height = 0;
};

// The size of a "size W H" message (each side 1 to 16384); none for
// anything else.
std::optional<PictureSize> ParseSizeMessage(std::string_view text);

}  // namespace sim::web

#endif
