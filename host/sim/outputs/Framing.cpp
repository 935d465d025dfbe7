// Frame arithmetic for every platform: image rows from GL order, crops,
// and the video's crop or scale filter. (PNG files: PngLibpng.cpp, or in the
// Windows build PngStb.cpp.)

#include <cstring>

#include "Image.h"
#include "Video.h"

namespace sim {

Image Image::fromBottomUp(int w, int h, const std::vector<uint8_t> &pixels)
{
    Image img(w, h);
    const size_t row = size_t(w) * 4;
    for (int y = 0; y < h; ++y)
        std::memcpy(&img.rgba[size_t(y) * row], &pixels[size_t(h - 1 - y) * row], row);
    return img;
}

std::vector<uint8_t> Image::rgb() const
{
    std::vector<uint8_t> out(size_t(width) * size_t(height) * 3);
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) std::memcpy(&out[i * 3], &rgba[i * 4], 3);
    return out;
}

Image Image::cropped(const PixelBox &box) const
{
    Image img(box.w, box.h);
    const size_t row = size_t(box.w) * 4;
    for (int y = 0; y < box.h; ++y) std::memcpy(img.at(0, y), at(box.x, box.y + y), row);
    return img;
}

namespace {

// An even span of at least len pixels from start, within 0 to limit.
void EvenSpan(int &start, int &len, int limit)
{
    if (len % 2 == 0) return;
    if (start + len < limit)
        ++len;
    else if (start > 0)
        --start, ++len;
    else
        --len;
}

}  // namespace

bool IsGif(const std::string &path)
{
    return path.size() > 4 && path.compare(path.size() - 4, 4, ".gif") == 0;
}

std::optional<PixelBox> VideoCrop(const std::string &size, int width, int height, const PixelBox *panel,
                                  bool evenSides)
{
    if (size == "panel" && panel) {
        PixelBox b = *panel;
        if (evenSides) {
            EvenSpan(b.x, b.w, width);
            EvenSpan(b.y, b.h, height);
        }
        return b;
    }
    const bool scaled = !size.empty() && size != "panel";
    if (!scaled && evenSides && (width % 2 || height % 2))
        return PixelBox{0, 0, width - width % 2, height - height % 2};
    return std::nullopt;
}

std::string VideoFilter(const std::string &size, int width, int height, const PixelBox *panel,
                        bool evenSides)
{
    if (const std::optional<PixelBox> b = VideoCrop(size, width, height, panel, evenSides))
        return "crop=" + std::to_string(b->w) + ":" + std::to_string(b->h) + ":" + std::to_string(b->x) + ":" +
               std::to_string(b->y);
    if (!size.empty() && size != "panel") {
        const size_t x = size.find_first_of("xX");
        return "scale=" + size.substr(0, x) + ":" + size.substr(x + 1) + ":flags=lanczos";
    }
    return {};
}

}  // namespace sim
