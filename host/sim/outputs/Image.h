#ifndef OSTREL_SIM_OUTPUTS_IMAGE_H
#define OSTREL_SIM_OUTPUTS_IMAGE_H
// RGBA8 images, rows from the top, and their PNG files (written through
// OutputFile.cpp, encoded by PngLibpng.cpp, or PngStb.cpp on Windows).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim {

// A rectangle of pixels, from the top-left corner.
struct PixelBox {
    int x, y, w, h;
};

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4, first row at the top

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgba(size_t(w) * size_t(h) * 4, 0) {}
    uint8_t *at(int x, int y) { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
    const uint8_t *at(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }

    // From glReadPixels order (first row at the bottom).
    static Image fromBottomUp(int w, int h, const std::vector<uint8_t> &pixels);
    // The pixels without alpha, three bytes each (frames are opaque).
    std::vector<uint8_t> rgb() const;
    // The pixels of box, which must lie inside the image.
    Image cropped(const PixelBox &box) const;
};

struct ImageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Writes an RGB PNG (alpha dropped: frames are opaque) or, with alpha, RGBA,
// whole or not at all (OutputFile.h).
void WritePng(const std::string &path, const Image &image, bool keepAlpha = false);
// The PNG encoder under it: writes `file` at once; errors name `name`.
void WritePngFile(const std::string &file, const std::string &name, const Image &image, bool keepAlpha);
// Reads any PNG as RGBA8.
Image ReadPng(const std::string &path);

}  // namespace sim

#endif
