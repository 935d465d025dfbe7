// Random valid images, decoded by LoadTGA and by stb_image, must agree on
// every byte. The generator picks type, depth, size, descriptor and a random
// split into raw and run packets.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "StbDecode.h"
#include "TgaWriter.h"

using namespace tgatest;

namespace {

struct RandomImage {
    uint8_t type, depth, descriptor;
    int width, height;
    Bytes file;
};

RandomImage MakeRandomImage(std::mt19937 &rng)
{
    auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    static const uint8_t kDescriptors[] = {0x00, 0x08, 0x20, 0x28, 0x10, 0x30};

    RandomImage img;
    img.type = uniform(0, 1) ? 10 : 2;
    img.depth = uniform(0, 1) ? 32 : 24;
    img.descriptor = kDescriptors[uniform(0, 5)];
    // One in twenty is large enough for its body to span many read blocks.
    const bool large = uniform(0, 19) == 0;
    img.width = large ? uniform(100, 400) : uniform(1, 64);
    img.height = large ? uniform(100, 400) : uniform(1, 64);

    // A few colours recur often so raw packets hold repeats as real files do.
    std::vector<Rgba> palette;
    for (int i = 0; i < 4; ++i)
        palette.push_back({uint8_t(uniform(0, 255)), uint8_t(uniform(0, 255)), uint8_t(uniform(0, 255)),
                           uint8_t(uniform(0, 255))});
    auto pixel = [&]() -> Rgba {
        if (uniform(0, 1))
            return palette[size_t(uniform(0, 3))];
        return {uint8_t(uniform(0, 255)), uint8_t(uniform(0, 255)), uint8_t(uniform(0, 255)),
                uint8_t(uniform(0, 255))};
    };

    TgaWriter w(img.type, uint16_t(img.width), uint16_t(img.height), img.depth, img.descriptor);
    int left = img.width * img.height;
    if (img.type == 2) {
        for (int i = 0; i < left; ++i)
            w.Pixel(pixel());
    } else {
        while (left > 0) {
            // Mostly short packets, now and then one up to the 128 limit.
            int n = uniform(0, 4) == 0 ? uniform(1, 128) : uniform(1, 8);
            n = std::min(n, left);
            if (uniform(0, 1)) {
                w.RunPacket(n, pixel());
            } else {
                std::vector<Rgba> raw;
                for (int i = 0; i < n; ++i)
                    raw.push_back(pixel());
                w.RawPacket(raw);
            }
            left -= n;
        }
    }
    img.file = w.Build();
    return img;
}

TEST(TgaLoaderVersusStb, RandomImagesDecodeIdentically)
{
    std::mt19937 rng(20240611u);
    int compared = 0;
    for (int n = 0; n < 400; ++n) {
        const RandomImage img = MakeRandomImage(rng);
        SCOPED_TRACE(testing::Message() << "image " << n << ": type " << int(img.type) << ", " << img.width
                                        << " x " << img.height << " x " << int(img.depth)
                                        << ", descriptor " << int(img.descriptor));
        Loaded ours;
        LoadBytes(img.file, ours);
        const StbImage stb = StbTgaInFileOrder(img.file);
        ASSERT_TRUE(ours.ok);
        ASSERT_TRUE(stb.ok) << stbi_failure_reason();
        ASSERT_EQ(int(ours.tex.imageWidth), stb.width);
        ASSERT_EQ(int(ours.tex.imageHeight), stb.height);
        ASSERT_EQ(int(ours.tex.bitsPerPixel / 8), stb.channels);
        ASSERT_EQ(ours.PixelBytes(), stb.pixels);
        ++compared;
    }
    EXPECT_EQ(compared, 400);
}

}  // namespace
