#ifndef OSTREL_TESTS_TGAWRITER_H
#define OSTREL_TESTS_TGAWRITER_H
// Builds TGA files byte by byte for the loader tests: an 18-byte header whose
// every field can be set, then pixels, packets or raw bytes in any order, so
// both well-formed and deliberately broken files can be written.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TGALoader.h"

namespace tgatest {

// One pixel in the loader's output order: R, G, B, A (A unused at 24 bits).
using Rgba = std::array<uint8_t, 4>;
using Bytes = std::vector<uint8_t>;

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t colourMapType = 0;
    uint8_t imageType = 2;
    std::array<uint8_t, 5> colourMapFields{};
    uint16_t xOrigin = 0;
    uint16_t yOrigin = 0;
    uint16_t width = 1;
    uint16_t height = 1;
    uint8_t depth = 24;
    uint8_t descriptor = 0;

    Bytes Encode() const;  // the 18 header bytes, little-endian
};

class TgaWriter {
public:
    explicit TgaWriter(const TgaHeader &header) : header_(header) {}
    TgaWriter(uint8_t imageType, uint16_t width, uint16_t height, uint8_t depth,
              uint8_t descriptor = 0);

    // One pixel as stored in the file: B, G, R (and A at 32 bits).
    TgaWriter &Pixel(const Rgba &p);
    // Every pixel back to back (the body of an uncompressed image).
    TgaWriter &Pixels(const std::vector<Rgba> &pixels);
    // A raw packet: header byte count-1, then the pixels (1 to 128 of them).
    TgaWriter &RawPacket(const std::vector<Rgba> &pixels);
    // A run packet: header byte 0x80 | (count-1), then one pixel.
    TgaWriter &RunPacket(int count, const Rgba &p);
    // Anything else: packet headers alone, cut pixels, trailers.
    TgaWriter &Append(const Bytes &bytes);

    Bytes Build() const;

private:
    int BytesPerPixel() const { return header_.depth / 8; }

    TgaHeader header_;
    Bytes body_;
};

// A file holding the given bytes, removed again when this goes out of scope.
class TempFile {
public:
    explicit TempFile(const Bytes &contents);
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    char *Path() { return path_.data(); }

private:
    std::string path_;
};

// Address the record's pixels hold before a load.
uint8_t *UnsetPixels();

// A loader result whose pixel buffer is freed with it.
struct Loaded {
    bool ok = false;
    Texture tex{};

    Loaded() = default;
    Loaded(const Loaded &) = delete;
    Loaded &operator=(const Loaded &) = delete;
    ~Loaded();

    size_t Size() const { return size_t(tex.imageWidth) * tex.imageHeight * (tex.bitsPerPixel / 8); }
    std::vector<uint8_t> PixelBytes() const;
};

// Writes the bytes to a temporary file and decodes it with LoadTGA. The
// record starts out filled with a marker pattern, and pixels with a dummy
// address that is never freed, so fields the loader leaves alone show.
void LoadBytes(const Bytes &file, Loaded &out);
void LoadPath(char *path, Loaded &out);

// Number of file descriptors the process holds, to catch files left open.
int OpenFileCount();

// Expected loader output for pixels given in file order.
Bytes ToLoaderBytes(const std::vector<Rgba> &pixels, int depth);

}  // namespace tgatest

#endif
