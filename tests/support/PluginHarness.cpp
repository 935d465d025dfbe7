// One simulator session around a fresh copy of the built plug-in.

#include "PluginHarness.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "AtlasRects.h"
#include "host/TempFolder.h"

namespace fs = std::filesystem;

const std::vector<dr::Dataref> dr::kFlightData(std::begin(host::kPublishedDatarefs),
                                               std::end(host::kPublishedDatarefs));

std::string PluginHarness::BuiltPlugin()
{
    return OSTREL_PLUGIN_PATH;
}

std::string PluginHarness::AtlasPath()
{
    return OSTREL_ATLAS_PATH;
}

bool PluginHarness::AtlasAvailable()
{
    return fs::exists(AtlasPath());
}

std::array<uint8_t, 4> PluginHarness::SyntheticTexel(int u, int v)
{
    return {uint8_t(u & 255), uint8_t(v & 255), uint8_t(((u >> 8) << 4) | (v >> 8)),
            uint8_t((u / 8 + v / 8) % 2 == 0 ? 255 : 96)};
}

void PluginHarness::writeSyntheticTexture(const fs::path &to)
{
    const int n = ATLAS_SIZE;
    std::vector<uint8_t> file(18 + size_t(n) * n * 4);
    file[2] = 2;  // uncompressed true-colour
    file[12] = n & 255, file[13] = n >> 8;
    file[14] = n & 255, file[15] = n >> 8;
    file[16] = 32;
    file[17] = 8;  // 8 alpha bits, rows from the bottom
    uint8_t *p = file.data() + 18;
    for (int v = 0; v < n; v++)
        for (int u = 0; u < n; u++) {
            auto t = SyntheticTexel(u, v);
            *p++ = t[2], *p++ = t[1], *p++ = t[0], *p++ = t[3];  // BGRA
        }
    std::ofstream(to, std::ios::binary).write(reinterpret_cast<const char *>(file.data()),
                                              std::streamsize(file.size()));
}

PluginHarness::PluginHarness(HarnessOptions options) : options_(std::move(options))
{
    host::Host &h = host();
    h.reset();
    h.setScreenSize(options_.screenWidth, options_.screenHeight);
    h.setElapsedTime(options_.elapsed);
    for (const dr::Dataref &s : dr::kFlightData) {
        switch (s.type) {
        case host::DataType::Int: h.defineInt(s.name); break;
        case host::DataType::Float: h.defineFloat(s.name); break;
        case host::DataType::FloatArray: h.defineFloatArray(s.name, std::vector<float>(size_t(s.size))); break;
        }
    }
    for (const std::string &name : options_.extraFloats) h.defineFloat(name);
    h.setInt(dr::ViewType, options_.view);
    for (const std::string &name : options_.absent) h.setAbsent(name);

    folder_ = host::MakeTempFolder("ostrel-sim-");
    fs::create_directories(texturePath().parent_path());
    fs::copy_file(options_.plugin.empty() ? BuiltPlugin() : options_.plugin, pluginCopy());
    switch (options_.texture) {
    case TextureSource::Synthetic: writeSyntheticTexture(texturePath()); break;
    case TextureSource::Atlas:
        if (!AtlasAvailable()) throw std::runtime_error("no generated atlas at " + AtlasPath());
        fs::copy_file(AtlasPath(), texturePath());
        break;
    case TextureSource::None: break;
    }
    if (options_.logFile) h.setLogFile((folder_ / "Log.txt").string());

    previousCwd_ = fs::current_path();
    fs::current_path(folder_);
    try {
        lib_ = std::make_unique<host::PluginLibrary>(pluginCopy().string());
    } catch (...) {
        std::error_code ec;
        fs::current_path(previousCwd_, ec);
        fs::remove_all(folder_, ec);
        throw;
    }
}

PluginHarness::~PluginHarness()
{
    if (started_ && !stopped_) stop();
    expectNoHostErrors();
    lib_.reset();
    std::error_code ec;
    fs::current_path(previousCwd_, ec);
    fs::remove_all(folder_, ec);
}

fs::path PluginHarness::pluginCopy() const
{
    // The plug-in lies beside its texture, as in the simulator.
    return texturePath().parent_path() / fs::path(BuiltPlugin()).filename();
}

int PluginHarness::start()
{
    char n[256] = {}, s[256] = {}, d[256] = {};
    int r = lib_->start(n, s, d);
    name_ = std::string(n, strnlen(n, sizeof n));
    signature_ = std::string(s, strnlen(s, sizeof s));
    description_ = std::string(d, strnlen(d, sizeof d));
    started_ = true;
    return r;
}

int PluginHarness::enable()
{
    return lib_->enable();
}

void PluginHarness::disable()
{
    lib_->disable();
}

void PluginHarness::stop()
{
    lib_->stop();
    stopped_ = true;
}

void PluginHarness::message(XPLMPluginID from, int msg, void *param)
{
    lib_->receiveMessage(from, msg, param);
}

void *PluginHarness::symbol(const std::string &name)
{
    void *p = lib_->symbol(name);
    if (!p) ADD_FAILURE() << pluginCopy() << " does not export " << name;
    return p;
}

void PluginHarness::setGear(float g0, float g1, float g2)
{
    std::vector<float> g(10);
    g[0] = g0, g[1] = g1, g[2] = g2;
    setFloatArray(dr::Gear, g);
}

int PluginHarness::reads(const std::string &name)
{
    host::DataRef *d = host().dataRef(name);
    return d ? d->reads : 0;
}

host::FireResult PluginHarness::fire(const std::string &command, XPLMCommandPhase phase)
{
    return host().fire(command, phase);
}

void PluginHarness::press(const std::string &command)
{
    if (!fire(command, xplm_CommandBegin).found) ADD_FAILURE() << "no command " << command;
    fire(command, xplm_CommandEnd);
}

host::Window *PluginHarness::window()
{
    host::Window *w = host().onlyWindow();
    if (!w) ADD_FAILURE() << "the plug-in has no window";
    return w;
}

host::Rect PluginHarness::windowRect()
{
    host::Window *w = window();
    return w ? w->rect : host::Rect{};
}

void PluginHarness::drawFrame()
{
    if (host::Window *w = window())
        if (w->visible) w->draw(w, w->refcon);
}

int PluginHarness::mouse(int x, int y, XPLMMouseStatus status)
{
    host::Window *w = window();
    return w ? w->mouse(w, x, y, status, w->refcon) : 0;
}

void PluginHarness::drag(int x0, int y0, int x1, int y1)
{
    host::Rect r = windowRect();
    if (x0 < r.left || x0 >= r.right || y0 < r.bottom || y0 >= r.top)
        ADD_FAILURE() << "drag starts at (" << x0 << ", " << y0 << ") outside the window "
                      << host::ToString(r);
    mouse(x0, y0, xplm_MouseDown);
    mouse(x1, y1, xplm_MouseDrag);
    mouse(x1, y1, xplm_MouseUp);
}

void PluginHarness::key(char k, XPLMKeyFlags flags, char virtualKey, int losingFocus)
{
    if (host::Window *w = window()) w->key(w, k, flags, virtualKey, w->refcon, losingFocus);
}

void PluginHarness::expectNoHostErrors()
{
    for (const std::string &e : host().takeErrors()) ADD_FAILURE() << "host error: " << e;
}
