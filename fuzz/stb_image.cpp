// stb_image's TGA decoder, the second opinion the TGA fuzz target checks
// every accepted image against.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#include <stb/stb_image.h>
