// libFuzzer entry for the TGA loader. LoadTGA reads from a path, so each
// input is written to an in-memory file (memfd) and opened through
// /proc/self/fd; where memfd is unavailable a temporary file is used.
// Every image the loader accepts is decoded again by stb_image, which must
// accept it too and give the same pixels.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <stb/stb_image.h>

#include "TGALoader.h"

namespace {

// Headers announcing more pixels than the master texture has (1024 x 1024)
// are not decoded. Their path differs from a smaller image only in the
// buffer size (the size guard has its own unit tests), and allocating tens
// of MiB for most inputs would spend the campaign in the allocator.
constexpr uint64_t kMaxPixels = uint64_t(1024) * 1024;

struct InputFile {
    int fd = -1;
    std::string path;

    InputFile()
    {
#ifdef MFD_CLOEXEC
        fd = memfd_create("tga_fuzz", MFD_CLOEXEC);
#endif
        if (fd < 0) {
            char name[] = "/tmp/tga_fuzz_XXXXXX";
            fd = mkstemp(name);
            if (fd < 0)
                abort();
            unlink(name);  // still reachable through /proc/self/fd
        }
        path = "/proc/self/fd/" + std::to_string(fd);
    }

    void Write(const uint8_t *data, size_t size)
    {
        if (ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0)
            abort();
        while (size > 0) {
            ssize_t n = write(fd, data, size);
            if (n <= 0)
                abort();
            data += n;
            size -= size_t(n);
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size >= 16) {
        const uint64_t w = data[12] | data[13] << 8, h = data[14] | data[15] << 8;
        if (w * h > kMaxPixels)
            return 0;
    }
    static InputFile input;
    input.Write(data, size);

    Texture tex{};
    if (LoadTGA(&tex, input.path.data())) {
        // A successful load must describe a complete, readable buffer.
        if (tex.pixels == nullptr || (tex.bitsPerPixel != 24 && tex.bitsPerPixel != 32) ||
            tex.imageWidth == 0 || tex.imageHeight == 0)
            abort();
        const size_t bytes = size_t(tex.imageWidth) * tex.imageHeight * (tex.bitsPerPixel / 8);
        // stb turns rows top to bottom as the descriptor says; the loader
        // keeps file order, so bottom-up files are flipped back.
        stbi_set_flip_vertically_on_load((data[17] & 0x20) == 0);
        int w = 0, h = 0, channels = 0;
        uint8_t *stb = stbi_load_from_memory(data, int(size), &w, &h, &channels, 0);
        if (stb == nullptr || uint32_t(w) != tex.imageWidth || uint32_t(h) != tex.imageHeight ||
            uint32_t(channels) * 8 != tex.bitsPerPixel || memcmp(stb, tex.pixels, bytes) != 0)
            abort();
        stbi_image_free(stb);
        free(tex.pixels);
    } else if (tex.pixels != nullptr) {
        abort();  // a failed load leaves no buffer
    }
    return 0;
}
