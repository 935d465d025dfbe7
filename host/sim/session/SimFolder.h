#ifndef OSTREL_SIM_SESSION_SIMFOLDER_H
#define OSTREL_SIM_SESSION_SIMFOLDER_H
// A folder that plays the simulator's: the master texture at the path the
// plug-in opens relative to the simulator's folder (OSTREL_TEXTURE_IN_SIM,
// Resources/plugins/Ostrel.tga), and beside it a copy of the plug-in. While
// it exists the working directory is its root, so the plug-in finds the
// texture as it does in the simulator. Removed, and the old working directory
// restored, when the object goes.

#include <filesystem>
#include <string>

namespace sim {

class SimFolder {
public:
    // Throws std::runtime_error when the plug-in cannot be copied. A missing
    // texture is left missing (the plug-in reports it); textureMissing() says so.
    SimFolder(const std::string &plugin, const std::string &texture);
    ~SimFolder();
    SimFolder(const SimFolder &) = delete;
    SimFolder &operator=(const SimFolder &) = delete;

    const std::filesystem::path &root() const { return root_; }
    const std::filesystem::path &pluginPath() const { return plugin_; }
    bool textureMissing() const { return textureMissing_; }

private:
    std::filesystem::path root_, plugin_, oldCwd_;
    bool textureMissing_ = false;
};

}  // namespace sim

#endif
