// LoadTGA against hand-built files: what it refuses, what the record holds
// afterwards, and how pixels, rows and packets come out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TgaWriter.h"

using namespace tgatest;

namespace {

constexpr uint32_t kGlRgb = 6407;
constexpr uint32_t kGlRgba = 6408;
constexpr uint32_t kMarker = 0xA5A5A5A5u;  // LoadPath's fill for untouched fields

// Position-dependent colours, so swapped channels or shifted pixels show.
Rgba Colour(int i)
{
    return {uint8_t(i * 7 + 1), uint8_t(i * 13 + 2), uint8_t(i * 29 + 3), uint8_t(250 - i * 3)};
}

std::vector<Rgba> Colours(int first, int count)
{
    std::vector<Rgba> v;
    for (int i = 0; i < count; ++i)
        v.push_back(Colour(first + i));
    return v;
}

std::vector<Rgba> Repeat(const Rgba &p, int count) { return std::vector<Rgba>(size_t(count), p); }

std::vector<Rgba> Concat(std::initializer_list<std::vector<Rgba>> parts)
{
    std::vector<Rgba> all;
    for (const auto &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A complete, valid file of either type, 2 x 2 pixels unless said otherwise.
Bytes ValidFile(uint8_t type, uint8_t depth, uint16_t w = 2, uint16_t h = 2)
{
    TgaWriter t(type, w, h, depth);
    const int n = w * h;
    if (type == 2) {
        t.Pixels(Colours(0, n));
    } else {
        for (int i = 0; i < n; i += 128)
            t.RawPacket(Colours(i, std::min(128, n - i)));
    }
    return t.Build();
}

Bytes Head(const Bytes &b, size_t n) { return Bytes(b.begin(), b.begin() + long(n)); }

struct FailureCase {
    std::string name;
    Bytes file;
};

// Every way a file can be refused after it has been opened.
std::vector<FailureCase> FailureCases()
{
    std::vector<FailureCase> cases;
    const Bytes valid2 = ValidFile(2, 24);
    const Bytes valid10 = ValidFile(10, 32);

    cases.push_back({"empty file", {}});
    cases.push_back({"11 header bytes", Head(valid2, 11)});
    cases.push_back({"signature only", Head(valid2, 12)});
    cases.push_back({"17 header bytes, type 2", Head(valid2, 17)});
    cases.push_back({"17 header bytes, type 10", Head(valid10, 17)});

    for (uint8_t type : {0, 1, 3, 9, 11, 32, 33}) {
        TgaHeader h;
        h.imageType = type;
        h.depth = (type == 1 || type == 9 || type == 3 || type == 11) ? 8 : 24;
        h.colourMapType = (type == 1 || type == 9) ? 1 : 0;
        Bytes f = TgaWriter(h).Append(Bytes(64, 0)).Build();
        cases.push_back({"image type " + std::to_string(type), f});
    }
    for (uint8_t type : {2, 10}) {
        const std::string t = " (type " + std::to_string(type) + ")";
        auto variant = [&](const std::string &name, auto change) {
            TgaHeader h;
            h.imageType = type;
            h.width = 2;
            h.height = 2;
            change(h);
            TgaWriter w(h);
            w.Append(Bytes(h.idLength, 'x'));
            if (type == 2)
                w.Pixels(Colours(0, 4));
            else
                w.RawPacket(Colours(0, 4));
            cases.push_back({name + t, w.Build()});
        };
        variant("image ID present", [](TgaHeader &h) { h.idLength = 3; });
        variant("colour map type 1", [](TgaHeader &h) { h.colourMapType = 1; });
        for (int i = 0; i < 5; ++i)
            variant("colour map spec byte " + std::to_string(i),
                    [i](TgaHeader &h) { h.colourMapFields[size_t(i)] = 24; });
        variant("x origin 1", [](TgaHeader &h) { h.xOrigin = 1; });
        variant("y origin 256", [](TgaHeader &h) { h.yOrigin = 256; });
        variant("y origin equal to height", [](TgaHeader &h) { h.yOrigin = h.height; });
        variant("width 0", [](TgaHeader &h) { h.width = 0; });
        variant("height 0", [](TgaHeader &h) { h.height = 0; });
        for (uint8_t depth : {0, 8, 15, 16, 23, 25, 31, 33, 48, 255})
            variant("depth " + std::to_string(depth), [depth](TgaHeader &h) { h.depth = depth; });
    }

    // Uncompressed body shorter than the image.
    for (uint8_t depth : {24, 32}) {
        const std::string d = " (" + std::to_string(depth) + " bits)";
        const Bytes full = ValidFile(2, depth, 3, 3);
        cases.push_back({"type 2 body one byte short" + d, Head(full, full.size() - 1)});
        cases.push_back({"type 2 body missing" + d, Head(full, 18)});
    }

    // Run-length bodies that end early or say too much.
    const Rgba p = Colour(1);
    cases.push_back({"type 10 without packets", TgaWriter(10, 2, 2, 24).Build()});
    cases.push_back({"type 10 ends where a packet header is due",
                     TgaWriter(10, 2, 2, 24).RunPacket(3, p).Build()});
    cases.push_back({"type 10 raw packet missing its last pixel",
                     TgaWriter(10, 2, 2, 24).Append({0x03}).Pixels(Colours(0, 3)).Build()});
    cases.push_back({"type 10 raw packet pixel cut short",
                     TgaWriter(10, 2, 2, 32).Append({0x00, 1, 2, 3}).Build()});
    cases.push_back({"type 10 run packet pixel cut short",
                     TgaWriter(10, 2, 2, 24).Append({0x83, 1, 2}).Build()});
    cases.push_back({"type 10 run packet header alone", TgaWriter(10, 2, 2, 24).Append({0x83}).Build()});
    cases.push_back({"type 10 raw packet one pixel past the end",
                     TgaWriter(10, 2, 2, 24).RawPacket(Colours(0, 5)).Build()});
    cases.push_back({"type 10 run packet one pixel past the end",
                     TgaWriter(10, 2, 2, 32).RunPacket(1, p).RunPacket(4, p).Build()});
    cases.push_back({"type 10 run of 128 into a 1-pixel image",
                     TgaWriter(10, 1, 1, 24).RunPacket(128, p).Build()});
    cases.push_back({"type 10 raw of 128 into a 127-pixel image",
                     TgaWriter(10, 127, 1, 32).RawPacket(Colours(0, 128)).Build()});

    // Headers whose byte count does not fit 32 bits: 32768 x 32768 x 4 is
    // exactly 2^32, which a 32-bit product turns into an empty buffer.
    for (uint8_t type : {2, 10}) {
        const std::string t = " (type " + std::to_string(type) + ")";
        TgaWriter wrap(type, 32768, 32768, 32);
        TgaWriter huge(type, 65535, 65535, 32);
        TgaWriter huge24(type, 65535, 65535, 24);
        for (TgaWriter *w : {&wrap, &huge, &huge24}) {
            if (type == 2)
                w->Pixels(Colours(0, 64));
            else
                for (int i = 0; i < 64; ++i)
                    w->RunPacket(128, p);
        }
        cases.push_back({"32768 x 32768 x 32 with a short body" + t, wrap.Build()});
        cases.push_back({"65535 x 65535 x 32 with a short body" + t, huge.Build()});
        cases.push_back({"65535 x 65535 x 24 with a short body" + t, huge24.Build()});
    }
    return cases;
}

TEST(TgaLoader, RefusesBrokenAndUnsupportedFiles)
{
    for (const FailureCase &c : FailureCases()) {
        SCOPED_TRACE(c.name);
        const int filesBefore = OpenFileCount();
        Loaded r;
        LoadBytes(c.file, r);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.tex.pixels, nullptr);
        EXPECT_EQ(OpenFileCount(), filesBefore) << "file left open";
    }
}

TEST(TgaLoader, RefusesPathsThatCannotBeRead)
{
    const int filesBefore = OpenFileCount();
    for (std::string path : {"/nonexistent/ostrel/master.tga", "", "/tmp"}) {
        SCOPED_TRACE(path);
        Loaded r;
        LoadPath(path.data(), r);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.tex.pixels, nullptr);
    }
    Texture t{};
    EXPECT_FALSE(LoadTGA(&t, nullptr));
    EXPECT_EQ(OpenFileCount(), filesBefore);
}

TEST(TgaLoader, RefusedHeaderLeavesItsDimensionsInTheRecord)
{
    struct Case {
        uint16_t w, h;
        uint8_t depth;
    };
    for (uint8_t type : {2, 10}) {
        for (Case c : {Case{300, 200, 16}, Case{5, 7, 8}, Case{1, 1, 0}, Case{0, 9, 24},
                       Case{9, 0, 32}, Case{65535, 65535, 32}, Case{32768, 32768, 32}}) {
            SCOPED_TRACE(testing::Message() << "type " << int(type) << ", " << c.w << " x " << c.h
                                            << " x " << int(c.depth));
            Loaded r;
            LoadBytes(TgaWriter(type, c.w, c.h, c.depth).Append(Bytes(40, 0x11)).Build(), r);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.tex.imageWidth, c.w);
            EXPECT_EQ(r.tex.imageHeight, c.h);
            EXPECT_EQ(r.tex.bitsPerPixel, c.depth);
            EXPECT_EQ(r.tex.pixels, nullptr);
        }
    }
}

TEST(TgaLoader, SwapsBlueAndRedAndKeepsAlpha)
{
    struct Case {
        uint8_t type, depth;
    };
    for (Case c : {Case{2, 24}, Case{2, 32}, Case{10, 24}, Case{10, 32}}) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << ", depth " << int(c.depth));
        // File bytes B=10, G=20, R=30 (A=40).
        const Bytes stored = c.depth == 24 ? Bytes{10, 20, 30} : Bytes{10, 20, 30, 40};
        TgaWriter w(c.type, 1, 1, c.depth);
        if (c.type == 10)
            w.Append({0x00});
        Loaded r;
        LoadBytes(w.Append(stored).Build(), r);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.tex.bitsPerPixel, c.depth);
        EXPECT_EQ(r.tex.pixelFormat, c.depth == 24 ? kGlRgb : kGlRgba);
        EXPECT_EQ(r.tex.imageWidth, 1u);
        EXPECT_EQ(r.tex.imageHeight, 1u);
        EXPECT_EQ(r.tex.textureName, kMarker) << "the loader must not touch the texture name";
        EXPECT_EQ(r.PixelBytes(), c.depth == 24 ? Bytes({30, 20, 10}) : Bytes({30, 20, 10, 40}));
    }
}

TEST(TgaLoader, KeepsFileRowOrderWhateverTheDescriptorSays)
{
    const int w = 3, h = 4;
    const std::vector<Rgba> pixels = Colours(0, w * h);
    for (uint8_t type : {2, 10}) {
        for (uint8_t descriptor : {0x00, 0x08, 0x10, 0x20, 0x28, 0x30, 0xC0, 0xFF}) {
            SCOPED_TRACE(testing::Message() << "type " << int(type) << ", descriptor " << int(descriptor));
            TgaWriter t(type, w, h, 32, descriptor);
            if (type == 2)
                t.Pixels(pixels);
            else
                t.RawPacket(pixels);
            Loaded r;
            LoadBytes(t.Build(), r);
            ASSERT_TRUE(r.ok);
            EXPECT_EQ(r.PixelBytes(), ToLoaderBytes(pixels, 32));
        }
    }
}

TEST(TgaLoader, PacksOddWidthRowsWithoutPadding)
{
    const int w = 1023, h = 3;
    const std::vector<Rgba> pixels = Colours(0, w * h);
    for (uint8_t type : {2, 10}) {
        SCOPED_TRACE(testing::Message() << "type " << int(type));
        TgaWriter t(type, w, h, 24);
        if (type == 2)
            t.Pixels(pixels);
        else
            for (int i = 0; i < w * h; i += 128)  // packets end mid-row
                t.RawPacket(std::vector<Rgba>(pixels.begin() + i, pixels.begin() + std::min(i + 128, w * h)));
        Loaded r;
        LoadBytes(t.Build(), r);
        ASSERT_TRUE(r.ok);
        ASSERT_EQ(r.Size(), size_t(3069 * 3));
        const Bytes out = r.PixelBytes();
        EXPECT_EQ(out, ToLoaderBytes(pixels, 24));
        // Row 1 starts 3069 bytes in with the file's pixel 1023.
        EXPECT_EQ(Bytes(out.begin() + 3069, out.begin() + 3072), ToLoaderBytes({pixels[1023]}, 24));
    }
}

TEST(TgaLoader, DecodesRawAndRunPacketsOfEveryLengthLimit)
{
    // Headers 0x00 (1 raw), 0x7F (128 raw), 0x80 (run of 1), 0xFF (run of 128)
    // in one row of 258 pixels; the last packet ends on the last pixel.
    for (uint8_t depth : {24, 32}) {
        SCOPED_TRACE(testing::Message() << "depth " << int(depth));
        const Rgba a = Colour(200), b = Colour(201);
        const std::vector<Rgba> raw1 = Colours(0, 1), raw128 = Colours(1, 128);
        const Bytes file = TgaWriter(10, 258, 1, depth)
                               .RawPacket(raw1)
                               .RawPacket(raw128)
                               .RunPacket(1, a)
                               .RunPacket(128, b)
                               .Build();
        const size_t bpp = depth / 8;
        ASSERT_EQ(file[18], 0x00);
        ASSERT_EQ(file[18 + 1 + bpp], 0x7F);
        ASSERT_EQ(file[18 + 2 + 129 * bpp], 0x80);
        ASSERT_EQ(file[18 + 3 + 130 * bpp], 0xFF);
        Loaded r;
        LoadBytes(file, r);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.PixelBytes(), ToLoaderBytes(Concat({raw1, raw128, {a}, Repeat(b, 128)}), depth));
    }
}

TEST(TgaLoader, PacketsRunOnAcrossRows)
{
    // 5 x 4 image; every packet after the first starts and ends mid-row.
    const Rgba a = Colour(50), b = Colour(51);
    const std::vector<Rgba> raw = Colours(0, 9);
    const Bytes file = TgaWriter(10, 5, 4, 24).RunPacket(7, a).RawPacket(raw).RunPacket(4, b).Build();
    Loaded r;
    LoadBytes(file, r);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.PixelBytes(), ToLoaderBytes(Concat({Repeat(a, 7), raw, Repeat(b, 4)}), 24));
}

TEST(TgaLoader, IgnoresBytesAfterTheImage)
{
    Bytes trailer(100, 0xEE);  // stands for extension and developer areas
    const std::string footer = "TRUEVISION-XFILE.";
    trailer.insert(trailer.end(), footer.begin(), footer.end());
    trailer.push_back(0);
    for (uint8_t type : {2, 10}) {
        for (uint8_t depth : {24, 32}) {
            SCOPED_TRACE(testing::Message() << "type " << int(type) << ", depth " << int(depth));
            Bytes file = ValidFile(type, depth, 7, 5);
            Loaded plain, trailed;
            LoadBytes(file, plain);
            // A stray packet header first: it must not be read as image data.
            file.push_back(0xFF);
            file.insert(file.end(), trailer.begin(), trailer.end());
            LoadBytes(file, trailed);
            ASSERT_TRUE(plain.ok);
            ASSERT_TRUE(trailed.ok);
            EXPECT_EQ(trailed.PixelBytes(), plain.PixelBytes());
            EXPECT_EQ(trailed.PixelBytes(), ToLoaderBytes(Colours(0, 35), depth));
        }
    }
}

TEST(TgaLoader, LoadsAfterAFailedLoad)
{
    Loaded bad, good;
    LoadBytes(TgaWriter(10, 2, 2, 24).RunPacket(5, Colour(0)).Build(), bad);
    LoadBytes(ValidFile(10, 24), good);
    EXPECT_FALSE(bad.ok);
    ASSERT_TRUE(good.ok);
    EXPECT_EQ(good.PixelBytes(), ToLoaderBytes(Colours(0, 4), 24));
}

}  // namespace
