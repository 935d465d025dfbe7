#include "Jpeg.h"

#include <cstring>

// The implementation is compiled once in flyer-sim.exe, with the PNG writer.
#include <stb/stb_image_write.h>

namespace sim::serve {

void EncodeJpeg(const uint8_t *rgbaBottomUp, int w, int h, int quality, std::vector<uint8_t> &out)
{
    // Rows from the top, as stb writes them (its own flip is a global
    // setting the PNG writer shares).
    thread_local std::vector<uint8_t> topDown;
    const size_t stride = size_t(w) * 4;
    topDown.resize(stride * size_t(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(&topDown[size_t(y) * stride], rgbaBottomUp + size_t(h - 1 - y) * stride, stride);
    out.clear();
    const auto append = [](void *context, void *data, int size) {
        auto &v = *static_cast<std::vector<uint8_t> *>(context);
        const auto *bytes = static_cast<const uint8_t *>(data);
        v.insert(v.end(), bytes, bytes + size);
    };
    stbi_write_jpg_to_func(append, &out, w, h, 4, topDown.data(), quality);
}

}  // namespace sim::serve
