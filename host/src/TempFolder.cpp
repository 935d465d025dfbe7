#include "host/TempFolder.h"

#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace host {

fs::path MakeTempFolder(const std::string &prefix)
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, int(sizeof kChars) - 2);
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) throw std::runtime_error("no temporary folder: " + ec.message());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        for (int i = 0; i < 6; ++i) name += kChars[pick(rng)];
        // create_directory reports false for a folder that already exists.
        if (fs::create_directory(base / name, ec)) return base / name;
        if (ec) break;
    }
    throw std::runtime_error("cannot make a folder " + prefix + "* in " + base.string() +
                             (ec ? ": " + ec.message() : std::string()));
}

}  // namespace host
