#ifndef OSTREL_ATLAS_REVIEW_H
#define OSTREL_ATLAS_REVIEW_H
// Review pictures of the atlas: the sprite sheet and the two panels composed
// from their sprites the way the renderers place them.

#include <cairo.h>

#include <string>

#include "Text.h"

// The atlas enlarged twice over a checkerboard, every rectangle outlined and
// named. Throws on failure.
void WriteSpriteSheet(cairo_surface_t *atlas, const Fonts &fonts, const std::string &path);

// ga_rest.png, ga_sample.png, glass_rest.png and glass_sample.png in `dir`,
// each at panel scale 1 and 2 (the *_x2 files), over a checkerboard so any
// hole in a plate shows. Throws on failure.
void WritePanelPreviews(cairo_surface_t *atlas, const std::string &dir);

#endif
