// The one translation unit holding stb_image's implementation, used by the
// tests as an independent TGA decoder and to read reference PNGs and BMPs.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
