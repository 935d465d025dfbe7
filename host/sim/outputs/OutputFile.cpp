#include "OutputFile.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

#include "Image.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

std::string TemporaryName(const fs::path &target)
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, int(sizeof kChars) - 2);
    std::string name = ".flyer-sim-";
    for (int i = 0; i < 6; ++i) name += kChars[pick(rng)];
    return (target.parent_path() / (name + "-" + target.filename().string())).string();
}

// The system's folders of devices and processes: /dev/stderr, /proc/self/fd/1.
bool SystemPath(const fs::path &p)
{
    const std::string s = p.generic_string();
    return s.rfind("/dev/", 0) == 0 || s.rfind("/proc/", 0) == 0;
}

}  // namespace

OutputFile::OutputFile(std::string target) : target_(std::move(target))
{
    // The file the target names, through its links: a link stays a link to
    // the file written. A name that is, or leads through, a device or a
    // process's file (/dev/stderr, even when that leads on to a file the
    // shell opened) is written in place, as is anything but a regular file.
    std::error_code ec;
    fs::path file = fs::absolute(target_, ec);
    bool inPlace = ec.value() != 0;
    for (int hops = 0; !inPlace && hops < 40; ++hops) {
        inPlace = SystemPath(file);
        if (inPlace || !fs::is_symlink(fs::symlink_status(file, ec))) break;
        const fs::path next = fs::read_symlink(file, ec);
        if (ec) break;
        file = (next.is_absolute() ? next : file.parent_path() / next).lexically_normal();
    }
    if (!inPlace) {
        const fs::path folder = fs::weakly_canonical(file.parent_path(), ec);
        if (!ec) file = folder / file.filename();
        const fs::file_status status = fs::status(file, ec);
        inPlace = SystemPath(file) || (fs::exists(status) && !fs::is_regular_file(status));
    }
    file_ = inPlace ? target_ : file.string();
    path_ = inPlace ? target_ : TemporaryName(file);
}

OutputFile::~OutputFile()
{
    if (committed_ || inPlace()) return;
    std::error_code ec;
    fs::remove(path_, ec);
}

void OutputFile::commit()
{
    if (committed_ || inPlace()) return;
    std::error_code ec;
    fs::rename(path_, file_, ec);
    if (ec) throw std::runtime_error("cannot write " + target_ + ": " + ec.message());
    committed_ = true;
}

void WritePng(const std::string &path, const Image &image, bool keepAlpha)
{
    OutputFile file(path);
    WritePngFile(file.path(), path, image, keepAlpha);
    file.commit();
}

}  // namespace sim
