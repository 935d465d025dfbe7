// The way a graphics card is taken, EGL's device platform, tried on Mesa's
// software rasterizer, which Mesa offers as a device too: the real panels
// drawn that way against the same frames through the surfaceless platform.
// Where another vendor's EGL takes the surfaceless platform (NVIDIA's does),
// --gl software draws through that device, and the tests' frames must stay
// byte for byte the same.

#include <gtest/gtest.h>

#include "MesaHarness.h"

namespace {

struct Frame {
    std::vector<uint8_t> pixels;
    std::string platform;
};

Frame DrawPanel(host::Renderer renderer, bool glass)
{
    HarnessOptions o;
    o.texture = TextureSource::Atlas;
    MesaHarness h(o, renderer);
    EXPECT_EQ(h.start(), 1);
    if (glass) h.press(host::CommandName("Switch"));
    h.setFloat(dr::Airspeed, 95.0f);
    h.setFloat(dr::Roll, -15.0f);
    h.setFloat(dr::Pitch, 5.0f);
    h.setFloat(dr::Heading, 300.0f);
    h.setBackground(0.0f, 0.0f, 1.0f, 1.0f);
    h.drawFrame();
    return {h.context().readPixels(), h.context().platform()};
}

}  // namespace

TEST(DevicePlatform, MesaSoftwareDeviceDrawsThePanelsAsTheSurfacelessPlatform)
{
    if (!PluginHarness::AtlasAvailable()) GTEST_SKIP() << "no generated atlas yet";
    for (bool glass : {false, true}) {
        SCOPED_TRACE(glass ? "Glass panel" : "GA panel");
        const Frame device = DrawPanel(host::Renderer::SoftwareDevice, glass);
        const Frame surfaceless = DrawPanel(host::Renderer::Software, glass);
        EXPECT_EQ(device.platform.rfind("EGL's device platform", 0), 0u) << device.platform;
        EXPECT_NE(device.platform.find("EGL_MESA_device_software"), std::string::npos) << device.platform;
        if (surfaceless.platform != "Mesa's surfaceless EGL platform")
            GTEST_SKIP() << "software draws through the device here too: " << surfaceless.platform;
        EXPECT_TRUE(device.pixels == surfaceless.pixels);
        long drawn = 0;
        for (size_t i = 2; i < surfaceless.pixels.size(); i += 4) drawn += surfaceless.pixels[i] != 255;
        EXPECT_GT(drawn, 10000) << "the panel is drawn over the blue background";
    }
}
