#include "Jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace sim::serve {

void EncodeJpeg(const uint8_t *rgbaBottomUp, int w, int h, int quality, std::vector<uint8_t> &out)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    // libjpeg's errors cannot happen here (memory, not a file; sizes checked
    // by the caller): its default handler ends the process, so say why.
    err.error_exit = [](j_common_ptr) { throw std::runtime_error("JPEG encoder failed"); };
    unsigned char *buf = nullptr;
    unsigned long size = 0;
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &buf, &size);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = 4;
    c.in_color_space = JCS_EXT_RGBA;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    c.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&c, TRUE);
    const size_t stride = size_t(w) * 4;
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uint8_t *>(rgbaBottomUp + (size_t(h) - 1 - c.next_scanline) * stride);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    out.assign(buf, buf + size);
    std::free(buf);
}

}  // namespace sim::serve
