// libFuzzer entry for the TGA loader. LoadTGA reads from a path, so each
// input is written to an in-memory file (memfd) and opened through
// /proc/self/fd; where memfd is unavailable a temporary file is used.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "TGALoader.h"

namespace {

// Headers announcing more pixels than this are not decoded. Their path
// differs from a small image only in the buffer size (the size guard has its
// own unit tests), and gigabyte allocations would trip libFuzzer's malloc
// limit on every such input.
constexpr uint64_t kMaxPixels = uint64_t(4096) * 4096;

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
        volatile uint8_t sink = tex.pixels[0] ^ tex.pixels[bytes - 1];
        (void)sink;
        free(tex.pixels);
    } else if (tex.pixels != nullptr) {
        abort();  // a failed load leaves no buffer
    }
    return 0;
}
