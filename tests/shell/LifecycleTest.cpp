// Entry points, start-up and shut-down of the loaded plug-in.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "RecordingHarness.h"

namespace {

const char *const kCommands[][2] = {
    {cmd::OnOff, "Show or hide the Ostrel-Flyer instruments."},
    {cmd::Larger, "Make the Ostrel-Flyer panel larger."},
    {cmd::Smaller, "Make the Ostrel-Flyer panel smaller."},
    {cmd::Switch, "Select type of Ostrel-Flyer panel. (GA/Glass)"},
    {cmd::Alpha, "Adjust the transparency of the Ostrel-Flyer panel."},
    {cmd::Force, "Force the Ostrel-Flyer panel on."},
};

const char *const kBadViewLine = "Ostrel-Flyer: Bad DataRef (ViewData) Error!\n";
const char *const kBadViewSpoken =
    "Warning, The Ostrel Flyer Plugin has encountered a critical dataref error.";
const char *const kNoTextureLine = "Ostrel-Flyer: Failed to bind the master texture.\n";

std::vector<std::string> Fns(const std::vector<host::Call> &calls)
{
    std::vector<std::string> out;
    for (const host::Call &c : calls) out.push_back(c.fn);
    return out;
}

// An uncompressed 24-bit bottom-up TGA of w x h texels, every byte 0x40.
void WriteTga24(const std::filesystem::path &to, int w, int h)
{
    std::vector<char> file(18 + size_t(w) * size_t(h) * 3, '\x40');
    std::fill(file.begin(), file.begin() + 18, '\0');
    file[2] = 2;
    file[12] = char(w & 255), file[13] = char(w >> 8);
    file[14] = char(h & 255), file[15] = char(h >> 8);
    file[16] = 24;
    std::ofstream(to, std::ios::binary).write(file.data(), std::streamsize(file.size()));
}

HarnessOptions WithTexture(TextureSource t)
{
    HarnessOptions o;
    o.texture = t;
    return o;
}

}  // namespace

TEST(Lifecycle, IdentityAndTheQuietEntryPoints)
{
    RecordingHarness h;
    EXPECT_EQ(h.start(), 1);
    EXPECT_EQ(h.name(), "Ostrel-Flyer");
    EXPECT_EQ(h.signature(), "velmorant.ostrel.flyer");
    EXPECT_EQ(h.description(), "Version " OSTREL_VERSION);

    h.host().clearCalls();
    h.gl().beginFrame();
    EXPECT_EQ(h.enable(), 1);
    h.disable();
    h.message(0, 0x1234, nullptr);
    h.message(7, 101, &h);
    EXPECT_EQ(h.enable(), 1);
    EXPECT_TRUE(h.host().calls().empty());
    EXPECT_TRUE(h.gl().calls().empty());
    EXPECT_TRUE(h.host().log().empty());
}

TEST(Lifecycle, StartUpCallsInOrder)
{
    RecordingHarness h;
    ASSERT_EQ(h.start(), 1);
    const auto &calls = h.host().calls();

    // Window, screen size, the 31 lookups (32: the NAV1 course under its
    // second name), then the six commands.
    std::vector<std::string> expected = {"XPLMCreateWindow", "XPLMGetScreenSize"};
    expected.insert(expected.end(), 32, "XPLMFindDataRef");
    for (int i = 0; i < 6; i++) {
        expected.push_back("XPLMCreateCommand");
        expected.push_back("XPLMRegisterCommandHandler");
    }
    EXPECT_EQ(Fns(calls), expected);

    EXPECT_EQ(calls[0].args,
              "0, " + std::to_string(GA_PANEL.h) + ", " + std::to_string(GA_PANEL.w) + ", 0, 1, refcon (nil)");
    ASSERT_EQ(h.host().liveWindowCount(), 1);
    host::Window *w = h.window();
    EXPECT_EQ(w->rect, AtOrigin(GA_PANEL));
    EXPECT_TRUE(w->visible);
    EXPECT_NE(w->draw, nullptr);
    EXPECT_NE(w->key, nullptr);
    EXPECT_NE(w->mouse, nullptr);
    EXPECT_EQ(w->refcon, nullptr);

    // The host's list, in order, but the replaced names X-Plane publishes
    // beside their replacements; the NAV1 course first under the name X-Plane
    // does not publish.
    std::vector<std::string> names;
    for (const dr::Dataref &s : dr::kFlightData) {
        if (s.replacedBy) continue;
        if (std::string(s.name) == dr::HDG) names.push_back(dr::HDGFirst);
        names.push_back(s.name);
    }
    auto lookups = h.host().callsTo("XPLMFindDataRef");
    ASSERT_EQ(lookups.size(), names.size());
    for (size_t i = 0; i < lookups.size(); i++)
        EXPECT_EQ(lookups[i].args, names[i]) << "lookup " << i + 1;

    auto creates = h.host().callsTo("XPLMCreateCommand");
    auto registers = h.host().callsTo("XPLMRegisterCommandHandler");
    ASSERT_EQ(creates.size(), 6u);
    ASSERT_EQ(registers.size(), 6u);
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(creates[i].args, std::string(kCommands[i][0]) + ", " + kCommands[i][1]);
        EXPECT_EQ(registers[i].args, std::string(kCommands[i][0]) + ", before 0, refcon (nil)");
        host::Command *c = h.host().command(kCommands[i][0]);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->description, kCommands[i][1]);
        ASSERT_EQ(c->handlers.size(), 1u) << c->name;
        EXPECT_EQ(c->handlers[0].before, 0);
        EXPECT_EQ(c->handlers[0].refcon, nullptr);
    }
    // Six different handlers.
    for (int i = 0; i < 6; i++)
        for (int j = i + 1; j < 6; j++)
            EXPECT_NE(h.host().command(kCommands[i][0])->handlers[0].fn,
                      h.host().command(kCommands[j][0])->handlers[0].fn);

    EXPECT_TRUE(h.host().log().empty());
    EXPECT_TRUE(h.host().spoken().empty());
}

TEST(Lifecycle, UploadsTheMasterTextureOnce)
{
    RecordingHarness h;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);  // whatever the simulator had set
    ASSERT_EQ(h.start(), 1);
    const rgl::RecordingGL &gl = h.gl();
    EXPECT_EQ(gl.count("glTexImage2D"), 1);
    ASSERT_EQ(gl.generatedTextures().size(), 1u);
    unsigned name = gl.generatedTextures()[0];
    EXPECT_EQ(gl.boundTexture(), name);
    ASSERT_EQ(gl.textureImages().size(), 1u);
    const rgl::TextureImage &img = gl.textureImages()[0];
    EXPECT_EQ(img.name, name);
    EXPECT_EQ(img.level, 0);
    EXPECT_EQ(img.internalFormat, 4);
    EXPECT_EQ(img.width, 1024);
    EXPECT_EQ(img.height, 1024);
    EXPECT_EQ(img.border, 0);
    EXPECT_EQ(img.format, unsigned(GL_RGBA));
    EXPECT_EQ(img.type, unsigned(GL_UNSIGNED_BYTE));
    EXPECT_TRUE(img.hasData);
    // Rows are read as packed, and the simulator's alignment is put back.
    EXPECT_EQ(img.unpackAlignment, 1);
    EXPECT_EQ(gl.unpackAlignment(), 8);
    // Linear filtering, no mipmaps, wrap modes left at their default.
    EXPECT_EQ(img.params, (std::map<GLenum, int>{{GL_TEXTURE_MIN_FILTER, GL_LINEAR},
                                                 {GL_TEXTURE_MAG_FILTER, GL_LINEAR}}));

    // Every later bind uses that name.
    h.setElapsed(5.0f);
    for (unsigned b : h.drawFrame().binds()) EXPECT_EQ(b, name);
}

TEST(Lifecycle, TwentyFourBitTextureUploadsAsRgb)
{
    RecordingHarness h(WithTexture(TextureSource::None));
    WriteTga24(h.texturePath(), 1024, 1024);
    ASSERT_EQ(h.start(), 1);
    ASSERT_EQ(h.gl().textureImages().size(), 1u);
    EXPECT_EQ(h.gl().textureImages()[0].internalFormat, 3);
    EXPECT_EQ(h.gl().textureImages()[0].format, unsigned(GL_RGB));
    EXPECT_TRUE(h.host().log().empty());
}

TEST(Lifecycle, MissingViewTypeIsReportedOnceAndStartGoesOn)
{
    HarnessOptions o;
    o.absent = {dr::ViewType};
    o.logFile = true;
    RecordingHarness h(o);
    ASSERT_EQ(h.start(), 1);
    EXPECT_EQ(h.host().log(), std::vector<std::string>{kBadViewLine});
    EXPECT_EQ(h.host().spoken(), std::vector<std::string>{kBadViewSpoken});
    // Reported after the commands exist, and the texture is still loaded.
    EXPECT_EQ(Fns(h.host().calls()).back(), "XPLMSpeakString");
    EXPECT_EQ(h.host().handlerCount(), 6);
    EXPECT_EQ(h.gl().textureImages().size(), 1u);

    std::ifstream logFile(h.simFolder() / "Log.txt");
    std::string text((std::istreambuf_iterator<char>(logFile)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, kBadViewLine);

    // Frames add nothing to the log.
    h.drawFrame();
    h.press(cmd::Force);
    h.drawFrame();
    EXPECT_EQ(h.host().log().size(), 1u);
    EXPECT_EQ(h.host().spoken().size(), 1u);
}

TEST(Lifecycle, MissingTextureStartsButNeverDraws)
{
    RecordingHarness h(WithTexture(TextureSource::None));
    ASSERT_EQ(h.start(), 1);
    EXPECT_EQ(h.host().log(), std::vector<std::string>{kNoTextureLine});
    EXPECT_TRUE(h.host().spoken().empty());
    EXPECT_EQ(h.gl().count("glGenTextures"), 0);
    EXPECT_EQ(h.gl().count("glTexImage2D"), 0);
    EXPECT_EQ(h.host().handlerCount(), 6);
    EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));

    // Splash time, a listed view, then a hidden one, then forced: nothing at all.
    for (int view : {1017, 0}) {
        h.setView(view);
        for (float t : {0.0f, 5.0f, 20.0f}) {
            h.setElapsed(t);
            h.host().clearCalls();
            const rgl::RecordingGL &gl = h.drawFrame();
            EXPECT_TRUE(gl.calls().empty()) << "view " << view << " at " << t << " s";
            EXPECT_TRUE(h.host().calls().empty()) << "view " << view << " at " << t << " s";
        }
    }
    h.press(cmd::Force);
    EXPECT_TRUE(h.drawFrame().calls().empty());
    EXPECT_EQ(h.windowRect(), AtOrigin(GA_PANEL));
    EXPECT_EQ(h.window()->geometrySets, 0);

    // The window still takes clicks at its start rectangle.
    EXPECT_EQ(h.mouse(10, 10, xplm_MouseDown), 1);
    EXPECT_EQ(h.mouse(60, 30, xplm_MouseDrag), 1);
    EXPECT_EQ(h.mouse(60, 30, xplm_MouseUp), 1);
    EXPECT_EQ(h.windowRect(), (host::Rect{50, 340, 525, 20}));
}

TEST(Lifecycle, BothFailuresAreLoggedInOrder)
{
    HarnessOptions o = WithTexture(TextureSource::None);
    o.absent = {dr::ViewType};
    RecordingHarness h(o);
    ASSERT_EQ(h.start(), 1);
    EXPECT_EQ(h.host().log(), (std::vector<std::string>{kBadViewLine, kNoTextureLine}));
    EXPECT_EQ(h.host().spoken().size(), 1u);
}

TEST(Lifecycle, StopReleasesExactlyWhatStartMade)
{
    RecordingHarness h;
    ASSERT_EQ(h.start(), 1);
    XPLMWindowID id = h.window();
    h.host().clearCalls();
    h.stop();

    const auto &calls = h.host().calls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].fn, "XPLMDestroyWindow");
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(calls[size_t(i) + 1].fn, "XPLMUnregisterCommandHandler");
        EXPECT_EQ(calls[size_t(i) + 1].args,
                  std::string(kCommands[i][0]) + ", before 0, refcon (nil)");
        host::Command *c = h.host().command(kCommands[i][0]);
        EXPECT_EQ(c->registrations, 1);
        EXPECT_EQ(c->unregistrations, 1);
    }
    // The host flags any unregistration that does not match a registration.
    EXPECT_TRUE(h.host().errors().empty());
    EXPECT_EQ(h.host().handlerCount(), 0);
    EXPECT_EQ(h.host().liveWindowCount(), 0);
    EXPECT_TRUE(h.host().window(id)->destroyed);

    // No handler of the plug-in runs after stop.
    for (const auto &c : kCommands) EXPECT_TRUE(h.fire(c[0], xplm_CommandEnd).returns.empty());
}

TEST(Lifecycle, StopDeletesTheTextureAndForgetsIt)
{
    RecordingHarness h;
    ASSERT_EQ(h.start(), 1);
    ASSERT_EQ(h.gl().liveTextures().size(), 1u);
    h.stop();
    EXPECT_TRUE(h.gl().liveTextures().empty());
    EXPECT_EQ(h.gl().count("glDeleteTextures"), 1);

    // Started again in the same load without its file, it has nothing to draw with.
    std::filesystem::remove(h.texturePath());
    ASSERT_EQ(h.start(), 1);
    h.press(cmd::Force);
    EXPECT_TRUE(h.drawFrame().calls().empty());
    h.stop();
}

TEST(Lifecycle, AnImageTheGLRefusesIsAFailedLoad)
{
    RecordingHarness h(WithTexture(TextureSource::None));
    WriteTga24(h.texturePath(), rgl::kMaxTextureSize * 2, 2);
    ASSERT_EQ(h.start(), 1);
    ASSERT_EQ(h.host().log().size(), 1u);
    EXPECT_EQ(h.host().log()[0],
              "Ostrel-Flyer: The GL refused the master texture (32768 x 2, error 0x0501).\n");
    EXPECT_EQ(h.gl().count("glTexImage2D"), 1);
    EXPECT_TRUE(h.gl().liveTextures().empty());
    EXPECT_EQ(h.gl().unpackAlignment(), 4);
    // Like a missing file: nothing is ever drawn, and stop deletes nothing more.
    h.press(cmd::Force);
    for (float t : {5.0f, 20.0f}) {
        h.setElapsed(t);
        EXPECT_TRUE(h.drawFrame().calls().empty());
    }
    h.stop();
    EXPECT_EQ(h.gl().count("glDeleteTextures"), 0);
    EXPECT_TRUE(h.gl().errors().empty());
}

TEST(Lifecycle, StopAfterAFailedTextureLoadStillReleasesEverything)
{
    RecordingHarness h(WithTexture(TextureSource::None));
    ASSERT_EQ(h.start(), 1);
    h.stop();
    EXPECT_EQ(h.host().handlerCount(), 0);
    EXPECT_EQ(h.host().liveWindowCount(), 0);
}
