#ifndef OSTREL_SIM_SERVE_JPEG_H
#define OSTREL_SIM_SERVE_JPEG_H
// JPEG files of the panel for the browser: libjpeg(-turbo) on Linux
// (JpegTurbo.cpp), stb_image_write in flyer-sim.exe (JpegStb.cpp).

#include <cstdint>
#include <vector>

namespace sim::serve {

// Encodes w x h RGBA pixels, rows from the bottom as GL reads them, into
// `out` (replaced), at `quality` 1..100 with full colour resolution: the
// panel's thin coloured marks and small digits stay sharp.
void EncodeJpeg(const uint8_t *rgbaBottomUp, int w, int h, int quality, std::vector<uint8_t> &out);

}  // namespace sim::serve

#endif
