#ifndef OSTREL_TGALOADER_H
#define OSTREL_TGALOADER_H
// Reads the master texture: uncompressed (type 2) or run-length encoded
// (type 10) true-colour TGA, 24 or 32 bits per pixel, into tightly packed
// RGB / RGBA bytes in the file's row order.

#include <stdint.h>
#include <stdio.h>

struct Texture {
    uint8_t *pixels;        // imageWidth * imageHeight * bitsPerPixel/8 bytes, owned by the caller after a successful load
    uint32_t bitsPerPixel;  // 24 or 32
    uint32_t imageWidth;    // 1 to 65535
    uint32_t imageHeight;   // 1 to 65535
    uint32_t textureName;   // OpenGL texture name, filled by the uploader
    uint32_t pixelFormat;   // GL_RGB (6407) or GL_RGBA (6408)
};

bool LoadTGA(Texture *texture, char *path);
bool LoadUncompressedTGA(Texture *texture, char *path, FILE *file);
bool LoadCompressedTGA(Texture *texture, char *path, FILE *file);

#endif
