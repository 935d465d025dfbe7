// PNG files through libpng (Image.h): frames written fast rather than small.

#include "Image.h"

#include <png.h>

#include <cstring>

namespace sim {

void WritePngFile(const std::string &file, const std::string &name, const Image &image, bool keepAlpha)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGBA;
#ifdef PNG_IMAGE_FLAG_FAST
    png.flags = PNG_IMAGE_FLAG_FAST;  // frames are many: speed over size
#endif
    std::vector<uint8_t> rgb;
    const void *data = image.rgba.data();
    if (!keepAlpha) {
        png.format = PNG_FORMAT_RGB;
        rgb = image.rgb();
        data = rgb.data();
    }
    if (!png_image_write_to_file(&png, file.c_str(), 0, data, 0, nullptr))
        throw ImageError("cannot write " + name + ": " + png.message);
}

Image ReadPng(const std::string &path)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        throw ImageError("cannot read " + path + ": " + png.message);
    png.format = PNG_FORMAT_RGBA;
    Image img(int(png.width), int(png.height));
    if (!png_image_finish_read(&png, nullptr, img.rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        throw ImageError("cannot read " + path + ": " + png.message);
    }
    return img;
}

}  // namespace sim
