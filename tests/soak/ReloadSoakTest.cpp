// The simulator's "reload plug-ins", a thousand times over: the built .xpl is
// opened, started, enabled, drawn (both panels), disabled, stopped and
// closed again, from the same file each time. Every load must start from
// the defaults, and every stop must give back what the start took.

#include <gtest/gtest.h>
#include <dlfcn.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "PanelSteps.h"
#include "PluginHarness.h"
#include "RecordingGL.h"
#include "host/PluginLibrary.h"

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif
#ifdef SOAK_ASAN
#include <sanitizer/lsan_interface.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr int kCycles = 1000;
const host::Rect kStartRect = AtOrigin(GA_PANEL);  // the window at the default origin, size and scale

// A simulator folder holding the generated master texture; the working
// folder while it lives, as the plug-in opens its texture relative to it.
class SimFolder {
public:
    SimFolder()
    {
        std::string tmpl = (fs::temp_directory_path() / "ostrel-soak-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a simulator folder");
        path_ = tmpl;
        const fs::path texture = path_ / OSTREL_TEXTURE_IN_SIM;
        fs::create_directories(texture.parent_path());
        fs::copy_file(PluginHarness::AtlasPath(), texture);
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~SimFolder()
    {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(path_, ec);
    }

private:
    fs::path path_, previous_;
};

// A fresh simulator session: the flight datarefs at rest, a listed view,
// past the splash, a fresh GL context.
void ResetSimulator()
{
    host::Host &h = host::Host::instance();
    h.reset();
    for (const dr::Dataref &s : dr::kFlightData) {
        switch (s.type) {
        case host::DataType::Int: h.defineInt(s.name); break;
        case host::DataType::Float: h.defineFloat(s.name); break;
        case host::DataType::FloatArray: h.defineFloatArray(s.name, std::vector<float>(10)); break;
        }
    }
    h.setInt(dr::ViewType, 1017);
    h.setElapsedTime(20.0f);
    rgl::RecordingGL::instance().reset();
    h.setGraphicsBackend(rgl::RecordingGL::instance().backend());
}

host::Window *OnlyWindow()
{
    return host::Host::instance().onlyWindow();
}

const rgl::RecordingGL &Frame()
{
    rgl::RecordingGL &gl = rgl::RecordingGL::instance();
    gl.beginFrame();
    if (host::Window *w = OnlyWindow()) w->draw(w, w->refcon);
    return gl;
}

int Mouse(int x, int y, XPLMMouseStatus status)
{
    host::Window *w = OnlyWindow();
    return w ? w->mouse(w, x, y, status, w->refcon) : 0;
}

void Press(const char *command)
{
    host::Host::instance().fire(command, xplm_CommandBegin);
    host::Host::instance().fire(command, xplm_CommandEnd);
}

// One load: checks the defaults, uses every piece of state, then unloads.
void Cycle(const std::string &plugin)
{
    host::Host &h = host::Host::instance();
    rgl::RecordingGL &gl = rgl::RecordingGL::instance();
    {
        host::PluginLibrary lib(plugin);
        char name[256] = {}, sig[256] = {}, desc[256] = {};
        ASSERT_EQ(lib.start(name, sig, desc), 1);
        ASSERT_EQ(lib.enable(), 1);
        ASSERT_EQ(h.liveWindowCount(), 1);
        ASSERT_EQ(h.handlerCount(), 6);
        ASSERT_EQ(gl.liveTextures().size(), 1u) << "one texture name per load";

        // Defaults: origin, GA size and scale in the rectangle; shown and
        // fully opaque in a listed view; not forced on; not dragging.
        ASSERT_EQ(OnlyWindow()->rect, kStartRect);
        ASSERT_EQ(soak::CheckFrame(Frame(), true), "");
        ASSERT_FALSE(gl.quads().empty());
        for (const rgl::Primitive &p : gl.primitives()) ASSERT_EQ(p.color.a, 1.0f);
        Mouse(300, 300, xplm_MouseDrag);
        ASSERT_EQ(OnlyWindow()->rect, kStartRect) << "a drag without a press moved the panel";
        h.setInt(dr::ViewType, 1000);
        Frame();
        ASSERT_EQ(OnlyWindow()->rect, (host::Rect{1, 1, 1, 1})) << "forced on at load";
        h.setInt(dr::ViewType, 1017);
        for (int i = 0; i < 2; ++i) ASSERT_EQ(soak::CheckFrame(Frame(), true), "");

        // Leave every piece of state away from its default for the next load.
        Press(cmd::Larger);
        Press(cmd::Alpha);
        Press(cmd::Switch);
        Press(cmd::Force);
        Press(cmd::OnOff);
        for (int i = 0; i < 3; ++i) ASSERT_EQ(soak::CheckFrame(Frame(), true), "");
        Mouse(10, 10, xplm_MouseDown);
        Mouse(60, 40, xplm_MouseDrag);
        Frame();
        ASSERT_EQ(OnlyWindow()->rect.left, 50);

        lib.disable();
        lib.stop();
        ASSERT_EQ(h.liveWindowCount(), 0);
        ASSERT_EQ(h.handlerCount(), 0);
        ASSERT_TRUE(gl.liveTextures().empty()) << "the texture outlived stop";
        ASSERT_TRUE(gl.errors().empty()) << gl.errors().front();
        ASSERT_TRUE(h.errors().empty()) << h.errors().front();
    }
    // Closed for good, so the next open runs the library's initialisers again.
    void *still = dlopen(plugin.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (still) dlclose(still);
    ASSERT_EQ(still, nullptr) << plugin << " stayed loaded after dlclose";
}

size_t HeapInUse()
{
#ifdef SOAK_ASAN
    return 0;
#else
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;  // small blocks and the mmapped large ones
#endif
}

}  // namespace

TEST(ReloadSoak, ThousandReloadsStartFromTheDefaultsAndGiveEverythingBack)
{
    ASSERT_TRUE(PluginHarness::AtlasAvailable()) << PluginHarness::AtlasPath();
    const std::string plugin = fs::absolute(PluginHarness::BuiltPlugin()).string();
    SimFolder folder;
    size_t settled = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        ResetSimulator();
        Cycle(plugin);
        if (HasFatalFailure()) return;
        if (cycle == 9) settled = HeapInUse();  // after the loader's and the host's first-use caches
    }
    ResetSimulator();
#ifdef SOAK_ASAN
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "heap blocks leaked across the reloads";
#else
    // The host is reset every cycle, so what stays in use after ten cycles
    // is all that may be in use after a thousand (a few words of slack for
    // the loader's own bookkeeping).
    EXPECT_LE(HeapInUse(), settled + 256) << "heap grew over " << kCycles - 10 << " reloads";
#endif
}
