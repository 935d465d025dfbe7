#ifndef OSTREL_ATLAS_REVIEW_H
#define OSTREL_ATLAS_REVIEW_H
// The review picture of the atlas: the sprite sheet.

#include <cairo.h>

#include <string>

#include "Text.h"

// The atlas enlarged twice over a checkerboard, every rectangle outlined and
// named. Throws on failure.
void WriteSpriteSheet(cairo_surface_t *atlas, const Fonts &fonts, const std::string &path);

#endif
