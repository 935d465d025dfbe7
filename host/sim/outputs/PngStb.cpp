// PNG files in the Windows build, where libpng is not at hand: written with
// stb_image_write, read with stb_image.

#include "outputs/Image.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstring>

namespace sim {

void WritePngFile(const std::string &file, const std::string &name, const Image &image, bool keepAlpha)
{
    std::vector<uint8_t> rgb;
    const void *data = image.rgba.data();
    int channels = 4;
    if (!keepAlpha) {
        channels = 3;
        rgb = image.rgb();
        data = rgb.data();
    }
    if (!stbi_write_png(file.c_str(), image.width, image.height, channels, data,
                        image.width * channels))
        throw ImageError("cannot write " + name);
}

Image ReadPng(const std::string &path)
{
    int w = 0, h = 0, n = 0;
    stbi_uc *px = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (!px) throw ImageError("cannot read " + path + ": " + stbi_failure_reason());
    Image img(w, h);
    std::memcpy(img.rgba.data(), px, img.rgba.size());
    stbi_image_free(px);
    return img;
}

}  // namespace sim
