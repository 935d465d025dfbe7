#include "SimFolder.h"

#include <stdexcept>
#include <system_error>

#include "host/TempFolder.h"

namespace fs = std::filesystem;

namespace sim {

SimFolder::SimFolder(const std::string &plugin, const std::string &texture)
{
    root_ = host::MakeTempFolder("flyer-sim-");
    const fs::path texturePath = root_ / OSTREL_TEXTURE_IN_SIM;
    const fs::path plugins = texturePath.parent_path();
    std::error_code ec;
    fs::create_directories(plugins, ec);
    if (ec) {
        fs::remove_all(root_, ec);
        throw std::runtime_error("cannot make " + plugins.string());
    }
    plugin_ = plugins / fs::path(plugin).filename();
    // A fresh copy is a fresh file: the loader gives it fresh globals.
    fs::copy_file(plugin, plugin_, ec);
    if (ec) {
        std::string why = ec.message();
        fs::remove_all(root_, ec);
        throw std::runtime_error("cannot load plug-in " + plugin + ": " + why);
    }
    fs::copy_file(texture, texturePath, ec);
    textureMissing_ = bool(ec);
    oldCwd_ = fs::current_path();
    fs::current_path(root_);
}

SimFolder::~SimFolder()
{
    std::error_code ec;
    fs::current_path(oldCwd_, ec);
    fs::remove_all(root_, ec);
}

}  // namespace sim
