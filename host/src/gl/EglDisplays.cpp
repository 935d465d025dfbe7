// Choosing the offscreen context's EGL display: a card through EGL's device
// platform, or Mesa's software rasterizer.

#include "EglDisplays.h"

#include <EGL/eglext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "host/OffscreenGL.h"

namespace host {

std::string EglError(const char *what)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s failed (EGL error 0x%04x)", what, unsigned(eglGetError()));
    return buf;
}

namespace {

bool HasExtension(const char *list, const char *name)
{
    if (!list) return false;
    size_t n = std::strlen(name);
    for (const char *p = list; (p = std::strstr(p, name)) != nullptr; p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

template <class Fn>
Fn Lookup(const char *name)
{
    return reinterpret_cast<Fn>(eglGetProcAddress(name));
}

bool HasClientExtension(const char *name)
{
    return HasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), name);
}

// Sets an environment variable for as long as it lives, then puts back
// what was there.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const char *value) : name_(name)
    {
        if (const char *old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *name_;
    std::optional<std::string> old_;
};

struct Device {
    EGLDeviceEXT handle = nullptr;
    bool software = false;  // Mesa's software rasterizer (EGL_MESA_device_software)
    std::string name;       // "device 1 of 2 (/dev/dri/renderD128)"
};

// The devices EGL's device platform lists, cards and software alike. None,
// with `why` saying so, where EGL has no device platform.
std::vector<Device> ListDevices(std::string &why)
{
    auto queryDevices = Lookup<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT");
    auto queryString = Lookup<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT");
    const bool enumerates = HasClientExtension("EGL_EXT_device_enumeration") || HasClientExtension("EGL_EXT_device_base");
    if (!enumerates || !HasClientExtension("EGL_EXT_platform_device") || !queryDevices || !queryString) {
        why = "EGL has no device platform (EGL_EXT_device_enumeration, EGL_EXT_platform_device)";
        return {};
    }
    EGLint count = 0;
    if (!queryDevices(0, nullptr, &count) || count <= 0) {
        why = "EGL's device platform lists no device";
        return {};
    }
    std::vector<EGLDeviceEXT> handles(static_cast<size_t>(count));
    if (!queryDevices(count, handles.data(), &count)) {
        why = EglError("eglQueryDevicesEXT");
        return {};
    }
    handles.resize(static_cast<size_t>(count));
    std::vector<Device> devices;
    for (size_t i = 0; i < handles.size(); ++i) {
        Device d;
        d.handle = handles[i];
        const char *extensions = queryString(d.handle, EGL_EXTENSIONS);
        d.software = HasExtension(extensions, "EGL_MESA_device_software");
        d.name = "device " + std::to_string(i) + " of " + std::to_string(handles.size());
        const char *file =
            HasExtension(extensions, "EGL_EXT_device_drm") ? queryString(d.handle, EGL_DRM_DEVICE_FILE_EXT) : nullptr;
        if (d.software)
            d.name += ", Mesa's software rasterizer (EGL_MESA_device_software)";
        else if (file)
            d.name += std::string(" (") + file + ")";
        devices.push_back(d);
    }
    return devices;
}

// Initialises `display` for desktop OpenGL with a config for it; false,
// with `why` and the display terminated, where it has none.
bool Initialise(EGLDisplay display, std::string &why)
{
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY) {
        why = EglError("eglGetPlatformDisplayEXT");
        return false;
    }
    if (!eglInitialize(display, &major, &minor)) {
        why = EglError("eglInitialize");
        return false;
    }
    const EGLint desktop[] = {EGL_SURFACE_TYPE, EGL_DONT_CARE, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglBindAPI(EGL_OPENGL_API))
        why = EglError("eglBindAPI(EGL_OPENGL_API)");
    else if (!eglChooseConfig(display, desktop, &config, 1, &count) || count == 0)
        why = "no EGL config for desktop OpenGL";
    else
        return true;
    eglTerminate(display);
    return false;
}

EGLDisplay DeviceDisplay(const Device &d)
{
    auto getPlatformDisplay = Lookup<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    return getPlatformDisplay ? getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, d.handle, nullptr) : EGL_NO_DISPLAY;
}

// The first device whose kind is `software` that initialises; `tried` lists
// every device with why it was passed over.
EGLDisplay FirstDevice(const std::vector<Device> &devices, bool software, std::string &platform, std::string &tried)
{
    for (const Device &d : devices) {
        std::string why;
        if (d.software == software) {
            const EGLDisplay display = DeviceDisplay(d);
            if (Initialise(display, why)) {
                platform = "EGL's device platform, " + d.name;
                return display;
            }
        }
        tried += (tried.empty() ? "" : "; ") + d.name + (why.empty() ? "" : ": " + why);
    }
    return EGL_NO_DISPLAY;
}

// Mesa's surfaceless display asked for the software rasterizer, which Mesa
// reads as it makes and initialises the display (without it Mesa takes a
// card it has a driver for). EGL_NO_DISPLAY, with `why`, where EGL has no
// such platform or it is another vendor's: libglvnd asks each vendor in
// turn, and NVIDIA's offers the platform too.
EGLDisplay MesaSurfaceless(std::string &why)
{
    auto getPlatformDisplay = Lookup<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    if (!HasClientExtension("EGL_MESA_platform_surfaceless") || !getPlatformDisplay) {
        why = "EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)";
        return EGL_NO_DISPLAY;
    }
    ScopedEnv software("LIBGL_ALWAYS_SOFTWARE", "1");
    const EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (!Initialise(d, why)) {
        why = "the surfaceless platform: " + why;
        return EGL_NO_DISPLAY;
    }
    const char *vendor = eglQueryString(d, EGL_VENDOR);
    if (vendor && std::strstr(vendor, "Mesa")) return d;
    why = std::string("the surfaceless platform is ") + (vendor ? vendor : "another vendor") + "'s, not Mesa's";
    eglTerminate(d);
    return EGL_NO_DISPLAY;
}

}  // namespace

EGLDisplay OpenEglDisplay(Renderer asked, std::string &platform)
{
    std::string why, tried;
    std::vector<Device> devices;
    if (asked != Renderer::Software) {
        devices = ListDevices(why);
        const EGLDisplay d = FirstDevice(devices, asked == Renderer::SoftwareDevice, platform, tried);
        if (d != EGL_NO_DISPLAY) return d;
        if (!devices.empty())
            why = "EGL's device platform lists " + std::to_string(devices.size()) +
                  (devices.size() == 1 ? " device: " : " devices: ") + tried;
        if (asked == Renderer::Gpu) throw OffscreenGLError("no graphics card: " + why);
        if (asked == Renderer::SoftwareDevice) throw OffscreenGLError("no software device: " + why);
    }
    // Mesa's software rasterizer through its surfaceless platform, as
    // flyer-sim always drew; where that platform is another vendor's,
    // through Mesa's software device, which draws the same pixels.
    std::string mesa;
    EGLDisplay d = MesaSurfaceless(mesa);
    if (d != EGL_NO_DISPLAY) {
        platform = "Mesa's surfaceless EGL platform";
        if (asked == Renderer::Auto) platform += " (no graphics card: " + why + ")";
        return d;
    }
    if (devices.empty()) devices = ListDevices(why);
    std::string deviceTried;
    d = FirstDevice(devices, true, platform, deviceTried);
    if (d != EGL_NO_DISPLAY) {
        platform += " (" + mesa + ")";
        return d;
    }
    throw OffscreenGLError("no Mesa software rasterizer: " + mesa + ", and EGL's device platform has no software "
                           "device; Debian's libegl-mesa0 and libgl1-mesa-dri have both");
}

}  // namespace host
