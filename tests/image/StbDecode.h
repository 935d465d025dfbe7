#ifndef OSTREL_TESTS_STBDECODE_H
#define OSTREL_TESTS_STBDECODE_H
// stb_image as a second opinion. stb returns rows top to bottom as the
// descriptor's origin bit says; the loader keeps file order, so a file whose
// origin is at the bottom (bit 5 clear) is flipped back here.

#include <stb/stb_image.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tgatest {

struct StbImage {
    bool ok = false;
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> pixels;
};

inline StbImage StbFromMemory(const std::vector<uint8_t> &file, bool flip, int wantChannels = 0)
{
    StbImage img;
    stbi_set_flip_vertically_on_load(flip ? 1 : 0);
    uint8_t *data = stbi_load_from_memory(file.data(), int(file.size()), &img.width, &img.height,
                                          &img.channels, wantChannels);
    stbi_set_flip_vertically_on_load(0);
    if (data != nullptr) {
        if (wantChannels != 0)
            img.channels = wantChannels;
        img.ok = true;
        img.pixels.assign(data, data + size_t(img.width) * img.height * img.channels);
        stbi_image_free(data);
    }
    return img;
}

// A TGA decoded by stb with rows in file order, as the loader delivers them.
inline StbImage StbTgaInFileOrder(const std::vector<uint8_t> &file)
{
    const bool bottomUp = file.size() > 17 && (file[17] & 0x20) == 0;
    return StbFromMemory(file, bottomUp);
}

}  // namespace tgatest

#endif
