#include "TgaWriter.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tgatest {

Bytes TgaHeader::Encode() const
{
    Bytes b;
    b.push_back(idLength);
    b.push_back(colourMapType);
    b.push_back(imageType);
    b.insert(b.end(), colourMapFields.begin(), colourMapFields.end());
    for (uint16_t v : {xOrigin, yOrigin, width, height}) {
        b.push_back(uint8_t(v & 0xFF));
        b.push_back(uint8_t(v >> 8));
    }
    b.push_back(depth);
    b.push_back(descriptor);
    return b;
}

TgaWriter::TgaWriter(uint8_t imageType, uint16_t width, uint16_t height, uint8_t depth,
                     uint8_t descriptor)
{
    header_.imageType = imageType;
    header_.width = width;
    header_.height = height;
    header_.depth = depth;
    header_.descriptor = descriptor;
}

TgaWriter &TgaWriter::Pixel(const Rgba &p)
{
    body_.push_back(p[2]);
    body_.push_back(p[1]);
    body_.push_back(p[0]);
    if (BytesPerPixel() == 4)
        body_.push_back(p[3]);
    return *this;
}

TgaWriter &TgaWriter::Pixels(const std::vector<Rgba> &pixels)
{
    for (const Rgba &p : pixels)
        Pixel(p);
    return *this;
}

TgaWriter &TgaWriter::RawPacket(const std::vector<Rgba> &pixels)
{
    if (pixels.empty() || pixels.size() > 128)
        throw std::invalid_argument("raw packet holds 1 to 128 pixels");
    body_.push_back(uint8_t(pixels.size() - 1));
    return Pixels(pixels);
}

TgaWriter &TgaWriter::RunPacket(int count, const Rgba &p)
{
    if (count < 1 || count > 128)
        throw std::invalid_argument("run packet holds 1 to 128 pixels");
    body_.push_back(uint8_t(0x80 | (count - 1)));
    return Pixel(p);
}

TgaWriter &TgaWriter::Append(const Bytes &bytes)
{
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
}

Bytes TgaWriter::Build() const
{
    Bytes file = header_.Encode();
    file.insert(file.end(), body_.begin(), body_.end());
    return file;
}

TempFile::TempFile(const Bytes &contents)
{
    const char *dir = std::getenv("TMPDIR");
    path_ = std::string(dir && *dir ? dir : "/tmp") + "/ostrel-tga-XXXXXX";
    int fd = mkstemp(path_.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    size_t done = 0;
    while (done < contents.size()) {
        ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n <= 0) {
            close(fd);
            throw std::runtime_error("cannot write temporary file");
        }
        done += size_t(n);
    }
    close(fd);
}

TempFile::~TempFile() { unlink(path_.c_str()); }

uint8_t *UnsetPixels()
{
    static uint8_t marker;
    return &marker;
}

Loaded::~Loaded()
{
    if (tex.pixels != UnsetPixels())
        std::free(tex.pixels);
}

std::vector<uint8_t> Loaded::PixelBytes() const
{
    if (!ok || tex.pixels == nullptr || tex.pixels == UnsetPixels())
        return {};
    return std::vector<uint8_t>(tex.pixels, tex.pixels + Size());
}

void LoadPath(char *path, Loaded &out)
{
    if (out.tex.pixels != UnsetPixels())
        std::free(out.tex.pixels);
    std::memset(&out.tex, 0xA5, sizeof out.tex);
    out.tex.pixels = UnsetPixels();
    out.ok = LoadTGA(&out.tex, path);
}

void LoadBytes(const Bytes &file, Loaded &out)
{
    TempFile tmp(file);
    LoadPath(tmp.Path(), out);
}

int OpenFileCount()
{
    DIR *d = opendir("/proc/self/fd");
    if (d == nullptr)
        return -1;
    int n = 0;
    while (readdir(d) != nullptr)
        ++n;
    closedir(d);
    return n;
}

Bytes ToLoaderBytes(const std::vector<Rgba> &pixels, int depth)
{
    Bytes b;
    for (const Rgba &p : pixels)
        b.insert(b.end(), p.begin(), p.begin() + depth / 8);
    return b;
}

}  // namespace tgatest
