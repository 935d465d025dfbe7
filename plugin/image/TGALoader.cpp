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
static bool ReadImageHeader(Texture *texture, FILE *file)
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
    if (!ReadImageHeader(texture, file))
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
// packet costs no library call. A block always holds a whole packet where
// the file has one: the buffer is topped up whenever less than the largest
// packet (a header and 128 pixels of 4 bytes) is left in it.
// OSTREL_TGA_BLOCK sets the buffer's size; the fuzz build makes it small so
// that short inputs cross block boundaries too.
enum { kRleMaxPacket = 1 + 128 * 4 };
#ifndef OSTREL_TGA_BLOCK
#define OSTREL_TGA_BLOCK (1 << 16)
#endif
typedef char RleBlockHoldsAPacket[OSTREL_TGA_BLOCK >= kRleMaxPacket ? 1 : -1];
static struct {
    uint8_t data[OSTREL_TGA_BLOCK];
    uint32_t pos;  // next byte to decode
    uint32_t end;  // bytes held
} rle;

// Moves the bytes not yet decoded to the front and fills the rest of the
// buffer from the file, as far as the file goes.
static void RleTopUp(FILE *file)
{
    const uint32_t held = rle.end - rle.pos;
    memmove(rle.data, rle.data + rle.pos, held);
    rle.pos = 0;
    rle.end = held;
    size_t n;
    while (rle.end < sizeof rle.data &&
           (n = fread(rle.data + rle.end, 1, sizeof rle.data - rle.end, file)) > 0)
        rle.end += (uint32_t)n;
}

// Decodes pixelCount pixels of bytesPerPixel (3 or 4) bytes into out; false
// on a truncated body or a packet that reaches past the last pixel. Always
// inlined with a constant pixel size, so each size gets its own loop.
static inline __attribute__((always_inline)) bool RleDecode(FILE *file, uint8_t *out,
                                                             uint32_t pixelCount,
                                                             const uint32_t bytesPerPixel)
{
    uint32_t currentPixel = 0;
    while (currentPixel < pixelCount) {
        if (rle.end - rle.pos < kRleMaxPacket)
            RleTopUp(file);
        if (rle.pos == rle.end)
            return false;
        const uint8_t chunkHeader = rle.data[rle.pos++];
        const bool run = chunkHeader >= 128;
        const uint32_t count = run ? chunkHeader - 127u : chunkHeader + 1u;
        // A packet that reaches past the last pixel is corrupt: stop
        // before writing beyond the buffer.
        if (count > pixelCount - currentPixel)
            return false;
        const uint32_t stored = run ? bytesPerPixel : count * bytesPerPixel;
        if (rle.end - rle.pos < stored)
            return false;
        const uint8_t *src = rle.data + rle.pos;
        rle.pos += stored;
        currentPixel += count;

        if (run) {
            // One word store a pixel. At 3 bytes a pixel each store also
            // writes the next pixel's first byte, which that pixel's own
            // store overwrites; the last one is stored as 3 bytes so nothing
            // lands past the run.
            const uint8_t pixel[4] = {src[2], src[1], src[0], bytesPerPixel == 4 ? src[3] : (uint8_t)0};
            uint32_t word;
            memcpy(&word, pixel, 4);
            if (bytesPerPixel == 4) {
                for (uint32_t i = 0; i < count; ++i, out += 4)
                    memcpy(out, &word, 4);
            } else {
                for (uint32_t i = 1; i < count; ++i, out += 3)
                    memcpy(out, &word, 4);
                memcpy(out, pixel, 3);
                out += 3;
            }
            continue;
        }
        // Stored pixels, B,G,R(,A) to R,G,B(,A). At 4 bytes a pixel, where
        // the byte order is known, each is one word load, swap and store.
        for (uint32_t i = 0; i < count; ++i, out += bytesPerPixel, src += bytesPerPixel) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
            if (bytesPerPixel == 4) {
                uint32_t w;
                memcpy(&w, src, 4);
                w = (w & 0xFF00FF00u) | ((w >> 16) & 0xFFu) | ((w & 0xFFu) << 16);
                memcpy(out, &w, 4);
                continue;
            }
#endif
            out[0] = src[2];
            out[1] = src[1];
            out[2] = src[0];
            if (bytesPerPixel == 4)
                out[3] = src[3];
        }
    }
    return true;
}

bool LoadCompressedTGA(Texture *texture, char *path, FILE *file)
{
    (void)path;
    if (!ReadImageHeader(texture, file))
        return FinishLoad(texture, file, false);

    // Packets form one continuous pixel stream and may run across rows.
    const uint32_t pixelCount = tga.height * tga.width;
    rle.pos = rle.end = 0;
    const bool ok = tga.bytesPerPixel == 4 ? RleDecode(file, texture->pixels, pixelCount, 4)
                                           : RleDecode(file, texture->pixels, pixelCount, 3);
    return FinishLoad(texture, file, ok);
}
