#ifndef OSTREL_TESTS_GOLDENDIFF_H
#define OSTREL_TESTS_GOLDENDIFF_H
// Pixel comparison of a rendered frame with its golden image.

#include <string>

#include "outputs/Image.h"

namespace golden {

struct Diff {
    bool sameSize = true;
    long differing = 0;      // pixels with a channel further than the tolerance
    int maxDelta = 0;        // largest channel difference anywhere
    int left = 0, top = 0, right = -1, bottom = -1;  // box around the differing pixels
    std::string Describe() const;
};

// A pixel differs when any of R, G, B differs by more than tolerance (alpha
// is ignored: frames are opaque).
Diff Compare(const sim::Image &golden, const sim::Image &actual, int tolerance);

// The golden dimmed to grey, with differing pixels in red (brighter for
// larger differences).
sim::Image DiffImage(const sim::Image &golden, const sim::Image &actual, int tolerance);

}  // namespace golden

#endif
