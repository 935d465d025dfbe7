#ifndef OSTREL_HOST_PLUGINLIBRARY_H
#define OSTREL_HOST_PLUGINLIBRARY_H
// Loads a plug-in library the way the simulator's plug-in manager does:
// dlopen(RTLD_NOW | RTLD_LOCAL), then the five entry points by name. The
// library's XPLM imports resolve against the executable's exported XPLM
// functions. Closing happens when the object goes. On Windows
// (PluginLibraryWin.cpp) LoadLibrary opens it and its imports resolve against
// the host's XPLM_64.dll, already loaded by the executable.
//
// glibc keeps one instance per file (device + inode): opening the same file
// again while it is loaded, or after a dlclose that did not unload it, gives
// back the same globals. To start from the plug-in's load-time defaults, open
// a fresh copy of the file (PluginHarness does).

#include <stdexcept>
#include <string>

#include "XPLMDefs.h"

namespace host {

using XPluginStart_f = int (*)(char *outName, char *outSig, char *outDesc);
using XPluginStop_f = void (*)(void);
using XPluginEnable_f = int (*)(void);
using XPluginDisable_f = void (*)(void);
using XPluginReceiveMessage_f = void (*)(XPLMPluginID from, int message, void *param);

// Thrown when the file cannot be opened or lacks an entry point; what() says
// which file and which entry points.
class PluginLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PluginLibrary {
public:
    explicit PluginLibrary(const std::string &path);  // throws PluginLoadError
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary &) = delete;
    PluginLibrary &operator=(const PluginLibrary &) = delete;
    PluginLibrary(PluginLibrary &&other) noexcept;
    PluginLibrary &operator=(PluginLibrary &&other) noexcept;

    const std::string &path() const { return path_; }
    void *handle() const { return handle_; }
    void *symbol(const std::string &name) const;  // any exported symbol, or null

    XPluginStart_f start = nullptr;
    XPluginStop_f stop = nullptr;
    XPluginEnable_f enable = nullptr;
    XPluginDisable_f disable = nullptr;
    XPluginReceiveMessage_f receiveMessage = nullptr;

private:
    void close();
    std::string path_;
    void *handle_ = nullptr;
};

}  // namespace host

#endif
