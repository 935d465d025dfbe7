// Decode time of the TGA loader next to stb_image's, in one process, on
// 1024 x 1024 files: the master texture, a 32-bit run-length encoding of it
// (long runs), a 32-bit run-length picture of short runs and single pixels
// (mostly raw packets) and a raw 24-bit copy of the texture. Prints one line per file,
//   image=NAME bytes=N loader_ms=... stb_ms=... ratio=...
// where ratio is the loader's time over stb's (medians of interleaved runs).
//
//   tga_decode [MASTER_TEXTURE] [RUNS]

#include <stb/stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TGALoader.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Header(uint8_t type, uint32_t w, uint32_t h, uint8_t bpp)
{
    Bytes b(18, 0);
    b[2] = type;
    b[12] = uint8_t(w), b[13] = uint8_t(w >> 8), b[14] = uint8_t(h), b[15] = uint8_t(h >> 8);
    b[16] = bpp;
    b[17] = bpp == 32 ? 0x28 : 0x20;  // rows top to bottom
    return b;
}

// pixels are R,G,B,A; the file stores B,G,R,A.
Bytes Rle32(const uint8_t *rgba, uint32_t w, uint32_t h)
{
    Bytes out = Header(10, w, h, 32);
    const size_t n = size_t(w) * h;
    auto px = [&](size_t i) { uint32_t v; std::memcpy(&v, rgba + 4 * i, 4); return v; };
    auto put = [&](size_t i) {
        const uint8_t *p = rgba + 4 * i;
        out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    };
    size_t i = 0;
    while (i < n) {
        size_t run = 1;
        while (i + run < n && run < 128 && px(i + run) == px(i)) ++run;
        if (run >= 2) {
            out.push_back(uint8_t(127 + run));
            put(i);
            i += run;
            continue;
        }
        size_t lit = 1;
        while (i + lit < n && lit < 128 && !(i + lit + 1 < n && px(i + lit) == px(i + lit + 1))) ++lit;
        out.push_back(uint8_t(lit - 1));
        for (size_t k = 0; k < lit; ++k) put(i + k);
        i += lit;
    }
    return out;
}

Bytes Raw24(const uint8_t *rgba, uint32_t w, uint32_t h)
{
    Bytes out = Header(2, w, h, 24);
    for (size_t i = 0; i < size_t(w) * h; ++i) {
        const uint8_t *p = rgba + 4 * i;
        out.insert(out.end(), {p[2], p[1], p[0]});
    }
    return out;
}

double Ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool Compare(const std::string &name, const std::string &path, int runs)
{
    std::vector<double> ours, theirs;
    for (int r = 0; r < runs; ++r) {
        Texture tex{};
        auto t0 = std::chrono::steady_clock::now();
        bool ok = LoadTGA(&tex, const_cast<char *>(path.c_str()));
        auto t1 = std::chrono::steady_clock::now();
        int w, h, c;
        uint8_t *stb = stbi_load(path.c_str(), &w, &h, &c, 0);
        auto t2 = std::chrono::steady_clock::now();
        if (!ok || stb == nullptr) {
            std::fprintf(stderr, "tga_decode: %s did not load (loader %d, stb %d)\n", path.c_str(), ok,
                         stb != nullptr);
            return false;
        }
        free(tex.pixels);
        stbi_image_free(stb);
        ours.push_back(Ms(t1 - t0));
        theirs.push_back(Ms(t2 - t1));
    }
    const double a = Median(ours), b = Median(theirs);
    std::printf("image=%s bytes=%ju loader_ms=%.3f stb_ms=%.3f ratio=%.2f\n", name.c_str(),
                uintmax_t(std::filesystem::file_size(path)), a, b, a / b);
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    std::string master = argc > 1 ? argv[1] : OSTREL_MASTER_TEXTURE;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 41;

    Texture tex{};
    if (!LoadTGA(&tex, master.data()) || tex.bitsPerPixel != 32) {
        std::fprintf(stderr, "tga_decode: cannot read the 32-bit master texture %s\n", master.c_str());
        return 2;
    }
    const auto dir = std::filesystem::temp_directory_path() / ("tga_decode_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    auto write = [&](const char *name, const Bytes &b) {
        const std::string p = (dir / name).string();
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), b.size());
        return p;
    };
    const std::string rle = write("rle32.tga", Rle32(tex.pixels, tex.imageWidth, tex.imageHeight));
    std::vector<uint8_t> speckle(size_t(tex.imageWidth) * tex.imageHeight * 4);
    uint32_t seed = 12345, colour = 0;
    for (size_t i = 0; i < speckle.size() / 4; ++i) {
        seed = seed * 1103515245u + 12345u;
        if ((seed >> 16) % 3 != 0) colour = seed ^ (seed >> 7);  // a third of pixels repeat the last
        std::memcpy(&speckle[4 * i], &colour, 4);
    }
    const std::string mixed = write("rle32_short.tga", Rle32(speckle.data(), tex.imageWidth, tex.imageHeight));
    const std::string raw = write("raw24.tga", Raw24(tex.pixels, tex.imageWidth, tex.imageHeight));
    free(tex.pixels);

    bool ok = Compare("rle32", rle, runs) && Compare("rle32_short", mixed, runs) &&
              Compare("raw24", raw, runs) && Compare("master", master, runs);
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
