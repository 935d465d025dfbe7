#ifndef OSTREL_TESTS_PLUGINHARNESS_H
#define OSTREL_TESTS_PLUGINHARNESS_H
// PluginHarness: one simulator session around a freshly loaded plug-in.
//
// The constructor resets the host, makes a new simulator folder (a temporary
// directory) holding Resources/plugins/OstrelLin.xpl, a copy of the built
// plug-in, and the master texture where the plug-in opens it (texturePath()),
// changes into that folder (the plug-in opens its texture relative to the
// working directory) and dlopens
// the copy: a fresh file per harness means fresh load-time globals, whatever
// glibc keeps loaded. It defines the flight datarefs the plug-in reads (the
// host's list, as X-Plane 12.1 names them; all 0 rather than at rest so a
// test names every value it relies on, but the view type, at rest), screen
// 1024 x 768, elapsed time 20 s (past the splash). The destructor calls
// XPluginStop if the test started and did not stop, fails the test on any
// host error, unloads, changes back and removes the folder.
//
//   PluginHarness h;                         // or h(HarnessOptions{...})
//   h.start();                               // XPluginStart; h.name() ...
//   h.setFloat(dr::Airspeed, 120.0f);
//   h.press("sim/view/ostrel_panel_larger"); // begin then end phase
//   h.drawFrame();                           // the window's draw callback
//   EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));
//   h.host().log(), h.host().spoken(), h.host().calls() ...
//
// Recording tests use RecordingHarness (RecordingHarness.h), Mesa tests
// MesaHarness (MesaHarness.h); both are PluginHarnesses.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "PanelGeometry.h"
#include "host/Host.h"
#include "host/PanelInterface.h"
#include "host/PluginLibrary.h"
#include "host/PublishedDatarefs.h"

// The flight datarefs, by the snapshot value they fill (the host's list,
// host/PublishedDatarefs.h).
namespace dr {
constexpr const char *Lit = host::DatarefName("Lit");
constexpr const char *ViewType = host::DatarefName("View");
constexpr const char *Vno = host::DatarefName("Vno");
constexpr const char *Vfe = host::DatarefName("Vfe");
constexpr const char *Vne = host::DatarefName("Vne");
constexpr const char *Stalled = host::DatarefName("Stalled");
constexpr const char *Airspeed = host::DatarefName("Airspeed");
constexpr const char *Vertspeed = host::DatarefName("Vertspeed");
constexpr const char *Heading = host::DatarefName("Heading");
// The heading under the name X-Plane marks replaced by Heading's, which the
// plug-in looks up only where Heading is not published.
constexpr const char *HeadingOld = host::DatarefName("HeadingOld");
constexpr const char *Altitude = host::DatarefName("Altitude");
constexpr const char *Bug = host::DatarefName("Bug");
constexpr const char *Pitch = host::DatarefName("Pitch");
constexpr const char *Roll = host::DatarefName("Roll");
constexpr const char *Brakes = host::DatarefName("Brakes");
constexpr const char *OM = host::DatarefName("OM");
constexpr const char *MM = host::DatarefName("MM");
constexpr const char *IM = host::DatarefName("IM");
constexpr const char *Turn = host::DatarefName("Turn");
constexpr const char *Slip = host::DatarefName("Slip");
constexpr const char *HDG = host::DatarefName("HDG");
// The name the plug-in's table tries first for the NAV1 course. X-Plane does
// not publish it, so the plug-in then looks up HDG.
constexpr const char *HDGFirst = "sim/cockpit2/radios/indicators/nav1_course_deg_mag_pilot";
constexpr const char *Nav1OBS = host::DatarefName("Nav1OBS");
constexpr const char *Nav1Hdef = host::DatarefName("Nav1Hdef");
constexpr const char *Nav1Vdef = host::DatarefName("Nav1Vdef");
constexpr const char *Nav1DME = host::DatarefName("Nav1DME");
constexpr const char *Nav1DMEdist = host::DatarefName("Nav1DMEdist");
constexpr const char *Nav1DMEtime = host::DatarefName("Nav1DMEtime");
constexpr const char *Gear = host::DatarefName("Gear");
constexpr const char *Baro = host::DatarefName("Baro");
constexpr const char *FDmode = host::DatarefName("FDmode");
constexpr const char *FDpitch = host::DatarefName("FDpitch");
constexpr const char *FDroll = host::DatarefName("FDroll");

using Dataref = host::PublishedDataref;
// All of them, in the order the plug-in looks them up; it looks up one with
// a replacedBy only where that one is missing.
extern const std::vector<Dataref> kFlightData;

}  // namespace dr

// The panel commands (the host's list, host/PanelInterface.h).
namespace cmd {
constexpr const char *OnOff = host::CommandName("OnOff");
constexpr const char *Larger = host::CommandName("Larger");
constexpr const char *Smaller = host::CommandName("Smaller");
constexpr const char *Switch = host::CommandName("Switch");
constexpr const char *Alpha = host::CommandName("Alpha");
constexpr const char *Force = host::CommandName("Force");
}  // namespace cmd

// The plug-in's window with the panel at the screen's origin and scale 1.
inline host::Rect AtOrigin(const PanelSize &panel)
{
    return {0, panel.h, panel.w, 0};
}

enum class TextureSource {
    Synthetic,  // a 1024 x 1024 32-bit TGA the harness writes (SyntheticTexel)
    Atlas,      // the generated atlas ${CMAKE_BINARY_DIR}/resources/Ostrel.tga
    None,       // no texture file: the plug-in's missing-texture path
};

struct HarnessOptions {
    TextureSource texture = TextureSource::Synthetic;
    int screenWidth = 1024, screenHeight = 768;
    float elapsed = 20.0f;
    int view = int(host::RestingValue("View"));  // a view type in which the panel shows
    std::vector<std::string> absent;  // datarefs XPLMFindDataRef does not find
    // Float datarefs published beside the host's list, at 0: names a
    // simulator other than X-Plane 12.1 might also publish.
    std::vector<std::string> extraFloats;
    bool logFile = false;             // also write <sim folder>/Log.txt
    std::string plugin;               // empty: the built OstrelLin.xpl
};

class PluginHarness {
public:
    explicit PluginHarness(HarnessOptions options = {});
    virtual ~PluginHarness();
    PluginHarness(const PluginHarness &) = delete;
    PluginHarness &operator=(const PluginHarness &) = delete;

    host::Host &host() { return host::Host::instance(); }
    const HarnessOptions &options() const { return options_; }
    const std::filesystem::path &simFolder() const { return folder_; }
    std::filesystem::path pluginCopy() const;
    // Where the plug-in opens its master texture.
    std::filesystem::path texturePath() const { return folder_ / OSTREL_TEXTURE_IN_SIM; }

    // ---- Entry points
    int start();  // XPluginStart with three 256-byte buffers
    const std::string &name() const { return name_; }
    const std::string &signature() const { return signature_; }
    const std::string &description() const { return description_; }
    int enable();
    void disable();
    void stop();
    void message(XPLMPluginID from, int message, void *param);
    bool started() const { return started_ && !stopped_; }
    // Any other symbol the loaded library exports (null, and a test failure, if none);
    // for test plug-ins that expose more than the entry points.
    void *symbol(const std::string &name);
    template <typename F>
    F function(const std::string &name)
    {
        return reinterpret_cast<F>(symbol(name));
    }

    // ---- Datarefs (defined by the harness; errors for unknown names)
    void setInt(const std::string &name, int v) { host().setInt(name, v); }
    void setFloat(const std::string &name, float v) { host().setFloat(name, v); }
    void setFloatArray(const std::string &name, std::vector<float> v)
    {
        host().setFloatArray(name, std::move(v));
    }
    void setView(int view) { setInt(dr::ViewType, view); }
    void setGear(float g0, float g1, float g2);
    void setElapsed(float seconds) { host().setElapsedTime(seconds); }
    int reads(const std::string &name);  // reads through its handle so far

    // ---- Commands
    host::FireResult fire(const std::string &command, XPLMCommandPhase phase);
    void press(const std::string &command);  // begin, then end; fails if unknown

    // ---- The plug-in's window (the one live window; fails the test otherwise)
    host::Window *window();
    host::Rect windowRect();
    void drawFrame();  // the draw callback, as the simulator calls it each frame
    int mouse(int x, int y, XPLMMouseStatus status);
    // Down at (x0, y0), which must lie in the window, drag to (x1, y1), up there.
    void drag(int x0, int y0, int x1, int y1);
    void key(char key, XPLMKeyFlags flags = 0, char virtualKey = 0, int losingFocus = 0);

    // ---- Errors
    // Fails the current test with every host error so far and clears them.
    void expectNoHostErrors();

    // ---- Textures
    // RGBA of atlas texel (u, v) of the synthetic texture: red u & 255,
    // green v & 255, blue (u >> 8) << 4 | v >> 8, alpha 255 or 96 in a
    // checkerboard of 8 x 8 texel blocks (255 where u / 8 + v / 8 is even).
    static std::array<uint8_t, 4> SyntheticTexel(int u, int v);
    static std::string BuiltPlugin();   // the built OstrelLin.xpl
    static std::string AtlasPath();     // the generated atlas
    static bool AtlasAvailable();

protected:
    HarnessOptions options_;

private:
    void writeSyntheticTexture(const std::filesystem::path &to);

    std::filesystem::path folder_;
    std::filesystem::path previousCwd_;
    std::unique_ptr<host::PluginLibrary> lib_;
    std::string name_, signature_, description_;
    bool started_ = false, stopped_ = false;
};

#endif
