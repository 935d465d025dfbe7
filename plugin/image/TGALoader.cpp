// TGA reader for the master texture. Accepts exactly two layouts: uncompressed
// true-colour (type 2) and run-length encoded true-colour (type 10), 24 or 32
// bits per pixel, with no image ID, no colour map and both origin fields 0.
// Pixels come out as packed R,G,B(,A) rows in the order the file stores them;
// nothing is flipped, whatever the descriptor byte says.

#include "TGALoader.h"

#include <stdlib.h>
#include <string.h>

// OpenGL pixel formats, spelled out so the loader needs no GL headers.
#ifndef GL_RGB
#define GL_RGB 0x1907
#endif
#ifndef GL_RGBA
#define GL_RGBA 0x1908
#endif

// First twelve bytes of the file as read.
static uint8_t tgaheader[12];

// The only two accepted signatures: ID length 0, colour map type 0, image
// type 2 or 10, colour map fields and both origins all zero.
static const uint8_t uTGAcompare[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
static const uint8_t cTGAcompare[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Image size and depth fields of the last load, shared by the two body readers.
static struct {
    uint8_t header[6];       // file bytes 12 to 17 as read
    uint32_t bytesPerPixel;  // 3 or 4
    uint32_t imageSize;      // bytes in the decoded image
    uint32_t height;
    uint32_t width;
    uint32_t bpp;            // 24 or 32
} tga;

// Reads and checks the size and depth fields, then allocates the pixel buffer.
// On false the caller closes the file; texture->pixels is NULL on every path
// that does not end in a successful allocation.
static bool ReadImageSpec(Texture *texture, FILE *file)
{
    texture->pixels = NULL;
    if (fread(tga.header, 1, sizeof tga.header, file) != sizeof tga.header)
        return false;

    // Stored before the checks, so a refused header leaves its values here.
    tga.width = tga.header[1] * 256u + tga.header[0];
    tga.height = tga.header[3] * 256u + tga.header[2];
    tga.bpp = tga.header[4];
    texture->imageWidth = tga.width;
    texture->imageHeight = tga.height;
    texture->bitsPerPixel = tga.bpp;

    if (tga.width == 0 || tga.height == 0 || (tga.bpp != 24 && tga.bpp != 32))
        return false;

    texture->pixelFormat = (tga.bpp == 24) ? GL_RGB : GL_RGBA;

    // Width and height may each reach 65535, so the byte count can need up to
    // 34 bits. A 32-bit product would wrap (32768 x 32768 x 4 gives 0) and the
    // readers would then fill or report a buffer far smaller than the image.
    // Such images (4 GiB and more) are far beyond any texture the simulator
    // can take, so they are refused rather than allocated.
    tga.bytesPerPixel = tga.bpp / 8;
    uint64_t size = (uint64_t)tga.bytesPerPixel * tga.width * tga.height;
    if (size > UINT32_MAX)
        return false;
    tga.imageSize = (uint32_t)size;

    texture->pixels = (uint8_t *)malloc(tga.imageSize);
    return texture->pixels != NULL;
}

// Ends a body reader: the file is closed here and only here, and a failed
// load leaves no buffer behind.
static bool FinishLoad(Texture *texture, FILE *file, bool ok)
{
    fclose(file);
    if (!ok) {
        free(texture->pixels);
        texture->pixels = NULL;
    }
    return ok;
}

bool LoadTGA(Texture *texture, char *path)
{
    if (texture == NULL || path == NULL)
        return false;
    texture->pixels = NULL;

    FILE *file = fopen(path, "rb");
    if (file == NULL)
        return false;

    if (fread(tgaheader, 1, sizeof tgaheader, file) != sizeof tgaheader) {
        fclose(file);
        return false;
    }
    if (memcmp(uTGAcompare, tgaheader, sizeof tgaheader) == 0)
        return LoadUncompressedTGA(texture, path, file);
    if (memcmp(cTGAcompare, tgaheader, sizeof tgaheader) == 0)
        return LoadCompressedTGA(texture, path, file);

    fclose(file);
    return false;
}

bool LoadUncompressedTGA(Texture *texture, char *path, FILE *file)
{
    (void)path;
    if (!ReadImageSpec(texture, file))
        return FinishLoad(texture, file, false);

    // One read straight into the buffer; anything after the image is ignored.
    if (fread(texture->pixels, 1, tga.imageSize, file) != tga.imageSize)
        return FinishLoad(texture, file, false);

    // B,G,R(,A) to R,G,B(,A) in place; alpha stays where it is.
    uint8_t *p = texture->pixels;
    for (uint32_t offset = 0; offset < tga.imageSize; offset += tga.bytesPerPixel) {
        uint8_t blue = p[offset];
        p[offset] = p[offset + 2];
        p[offset + 2] = blue;
    }
    return FinishLoad(texture, file, true);
}

// The run-length body is read in large blocks and decoded from memory, so a
// packet costs no library call. Packets never exceed 1 + 128 * 4 bytes, far
// less than a block.
static struct {
    uint8_t data[1 << 16];
    uint32_t pos;  // next byte to decode
    uint32_t end;  // bytes held
} rle;

// Makes at least need bytes available at rle.data + rle.pos, keeping the
// ones not yet decoded; false when the file ends first.
static bool RleRefill(FILE *file, uint32_t need)
{
    uint32_t held = rle.end - rle.pos;
    memmove(rle.data, rle.data + rle.pos, held);
    rle.pos = 0;
    rle.end = held;
    while (rle.end < need) {
        size_t n = fread(rle.data + rle.end, 1, sizeof rle.data - rle.end, file);
        if (n == 0)
            return false;
        rle.end += (uint32_t)n;
    }
    return true;
}

static inline bool RleFill(FILE *file, uint32_t need)
{
    return rle.end - rle.pos >= need || RleRefill(file, need);
}

// count copies of one B,G,R(,A) pixel as R,G,B(,A), one word store each.
// At 3 bytes a pixel each store also writes the next pixel's first byte,
// which that pixel's own store overwrites; the last pixel is stored as 3
// bytes so nothing lands past the run.
static void RleRun(uint8_t *out, const uint8_t *src, uint32_t count, uint32_t bytesPerPixel)
{
    uint8_t pixel[4] = {src[2], src[1], src[0], bytesPerPixel == 4 ? src[3] : (uint8_t)0};
    uint32_t word;
    memcpy(&word, pixel, 4);
    if (bytesPerPixel == 4) {
        for (uint32_t i = 0; i < count; ++i, out += 4)
            memcpy(out, &word, 4);
        return;
    }
    for (uint32_t i = 1; i < count; ++i, out += 3)
        memcpy(out, &word, 4);
    memcpy(out, pixel, 3);
}

// count stored B,G,R(,A) pixels as R,G,B(,A). At 4 bytes a pixel, where
// the byte order is known, each pixel is one word load, swap and store.
static void RleRaw(uint8_t *out, const uint8_t *src, uint32_t count, uint32_t bytesPerPixel)
{
    if (bytesPerPixel == 4) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        for (uint32_t i = 0; i < count; ++i, out += 4, src += 4) {
            uint32_t w;
            memcpy(&w, src, 4);
            w = (w & 0xFF00FF00u) | ((w >> 16) & 0xFFu) | ((w & 0xFFu) << 16);
            memcpy(out, &w, 4);
        }
#else
        for (uint32_t i = 0; i < count; ++i, out += 4, src += 4) {
            out[0] = src[2];
            out[1] = src[1];
            out[2] = src[0];
            out[3] = src[3];
        }
#endif
        return;
    }
    for (uint32_t i = 0; i < count; ++i, out += 3, src += 3) {
        out[0] = src[2];
        out[1] = src[1];
        out[2] = src[0];
    }
}

bool LoadCompressedTGA(Texture *texture, char *path, FILE *file)
{
    (void)path;
    if (!ReadImageSpec(texture, file))
        return FinishLoad(texture, file, false);

    // Packets form one continuous pixel stream and may run across rows.
    const uint32_t bytesPerPixel = tga.bytesPerPixel;
    const uint32_t pixelCount = tga.height * tga.width;
    uint32_t currentPixel = 0;
    uint8_t *out = texture->pixels;
    rle.pos = rle.end = 0;

    while (currentPixel < pixelCount) {
        if (!RleFill(file, 1))
            return FinishLoad(texture, file, false);
        const uint8_t chunkHeader = rle.data[rle.pos++];
        const bool run = chunkHeader >= 128;
        const uint32_t count = run ? chunkHeader - 127u : chunkHeader + 1u;
        // A packet that reaches past the last pixel is corrupt: stop
        // before writing beyond the buffer.
        if (count > pixelCount - currentPixel)
            return FinishLoad(texture, file, false);

        const uint32_t stored = run ? bytesPerPixel : count * bytesPerPixel;
        if (!RleFill(file, stored))
            return FinishLoad(texture, file, false);
        if (run)
            RleRun(out, rle.data + rle.pos, count, bytesPerPixel);
        else
            RleRaw(out, rle.data + rle.pos, count, bytesPerPixel);
        rle.pos += stored;
        out += count * bytesPerPixel;
        currentPixel += count;
    }
    return FinishLoad(texture, file, true);
}
