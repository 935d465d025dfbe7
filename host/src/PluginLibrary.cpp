// Opening a plug-in library and finding its entry points.

#include "host/PluginLibrary.h"

#include "SharedLibrary.h"

#include <utility>

namespace host {

template <typename F>
static F Entry(void *handle, const char *name, std::string &missing)
{
    void *p = os::LibrarySymbol(handle, name);
    if (!p) missing += missing.empty() ? name : std::string(", ") + name;
    return reinterpret_cast<F>(p);
}

PluginLibrary::PluginLibrary(const std::string &path) : path_(path)
{
    std::string why;
    handle_ = os::OpenLibrary(path, why);
    if (!handle_) throw PluginLoadError("cannot load plug-in " + path + ": " + why);
    std::string missing;
    start = Entry<XPluginStart_f>(handle_, "XPluginStart", missing);
    stop = Entry<XPluginStop_f>(handle_, "XPluginStop", missing);
    enable = Entry<XPluginEnable_f>(handle_, "XPluginEnable", missing);
    disable = Entry<XPluginDisable_f>(handle_, "XPluginDisable", missing);
    receiveMessage = Entry<XPluginReceiveMessage_f>(handle_, "XPluginReceiveMessage", missing);
    if (!missing.empty()) {
        close();
        throw PluginLoadError("plug-in " + path + " lacks the entry point(s): " + missing);
    }
}

void *PluginLibrary::symbol(const std::string &name) const
{
    return handle_ ? os::LibrarySymbol(handle_, name.c_str()) : nullptr;
}

PluginLibrary::~PluginLibrary()
{
    close();
}

PluginLibrary::PluginLibrary(PluginLibrary &&other) noexcept
{
    *this = std::move(other);
}

PluginLibrary &PluginLibrary::operator=(PluginLibrary &&other) noexcept
{
    if (this != &other) {
        close();
        path_ = std::move(other.path_);
        handle_ = std::exchange(other.handle_, nullptr);
        start = other.start;
        stop = other.stop;
        enable = other.enable;
        disable = other.disable;
        receiveMessage = other.receiveMessage;
    }
    return *this;
}

void PluginLibrary::close()
{
    if (handle_) os::CloseLibrary(handle_);
    handle_ = nullptr;
    start = nullptr;
    stop = nullptr;
    enable = nullptr;
    disable = nullptr;
    receiveMessage = nullptr;
}

}  // namespace host
