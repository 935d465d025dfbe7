#include "GoldenDiff.h"

#include <algorithm>
#include <cstdlib>

namespace golden {

std::string Diff::Describe() const
{
    if (!sameSize) return "sizes differ";
    if (differing == 0) return "no differing pixels (largest channel difference " + std::to_string(maxDelta) + ")";
    return std::to_string(differing) + " differing pixels, largest channel difference " +
           std::to_string(maxDelta) + ", within x " + std::to_string(left) + ".." +
           std::to_string(right) + ", y " + std::to_string(top) + ".." + std::to_string(bottom) +
           " (from the top left)";
}

static int Delta(const uint8_t *a, const uint8_t *b)
{
    return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

Diff Compare(const sim::Image &golden, const sim::Image &actual, int tolerance)
{
    Diff d;
    if (golden.width != actual.width || golden.height != actual.height) {
        d.sameSize = false;
        return d;
    }
    d.left = golden.width;
    d.top = golden.height;
    for (int y = 0; y < golden.height; ++y)
        for (int x = 0; x < golden.width; ++x) {
            int delta = Delta(golden.at(x, y), actual.at(x, y));
            d.maxDelta = std::max(d.maxDelta, delta);
            if (delta <= tolerance) continue;
            ++d.differing;
            d.left = std::min(d.left, x);
            d.right = std::max(d.right, x);
            d.top = std::min(d.top, y);
            d.bottom = std::max(d.bottom, y);
        }
    if (d.differing == 0) d.left = d.top = 0;
    return d;
}

sim::Image DiffImage(const sim::Image &golden, const sim::Image &actual, int tolerance)
{
    const int w = std::max(golden.width, actual.width), h = std::max(golden.height, actual.height);
    sim::Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t *o = out.at(x, y);
            o[3] = 255;
            const bool inG = x < golden.width && y < golden.height;
            const bool inA = x < actual.width && y < actual.height;
            if (!inG || !inA) {
                o[0] = 255, o[1] = 0, o[2] = 255;  // outside one of them
                continue;
            }
            const uint8_t *g = golden.at(x, y);
            const int delta = Delta(g, actual.at(x, y));
            if (delta > tolerance) {
                o[0] = uint8_t(std::min(255, 128 + delta)), o[1] = 0, o[2] = 0;
            } else {
                const uint8_t grey = uint8_t((g[0] * 30 + g[1] * 59 + g[2] * 11) / 100 / 3);
                o[0] = o[1] = o[2] = grey;
            }
        }
    return out;
}

}  // namespace golden
