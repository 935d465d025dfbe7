#ifndef OSTREL_TESTS_MESAHARNESS_H
#define OSTREL_TESTS_MESAHARNESS_H
// A PluginHarness whose plug-in draws into a real offscreen OpenGL context
// (Mesa through EGL, host/OffscreenGL.h) the size of the simulator screen,
// drawn by Mesa's software rasterizer unless another renderer is named.
// The context is current before start(), so the texture upload is real; the
// host applies graphics-state calls and texture binds to it. drawFrame()
// clears to the background colour, sets the window projection (pixels, y up),
// runs the draw callback and finishes; pixel() reads the result back.

#include <memory>

#include "PluginHarness.h"
#include "host/ContextGraphics.h"
#include "host/OffscreenGL.h"

class MesaHarness : public PluginHarness {
public:
    explicit MesaHarness(HarnessOptions options = {}, host::Renderer renderer = host::Renderer::Software);
    ~MesaHarness() override;

    host::OffscreenGL &context() { return *context_; }
    void setBackground(float r, float g, float b, float a) { background_ = {r, g, b, a}; }
    void drawFrame();
    host::OffscreenGL::Rgba pixel(int x, int y) const { return context_->pixel(x, y); }

private:
    std::unique_ptr<host::OffscreenGL> context_;
    host::ContextGraphics graphics_;
    struct {
        float r, g, b, a;
    } background_ = {0.0f, 0.0f, 0.0f, 1.0f};
};

#endif
