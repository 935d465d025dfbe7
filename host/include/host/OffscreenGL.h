#ifndef OSTREL_HOST_OFFSCREENGL_H
#define OSTREL_HOST_OFFSCREENGL_H
// An offscreen OpenGL context through EGL, with no display, drawn by the
// renderer asked for (host/Renderer.h): a graphics card through EGL's device
// platform, or Mesa's software rasterizer through its surfaceless platform
// (src/gl/OffscreenEgl.cpp, on the display src/gl/EglDisplays.cpp chooses).
// Desktop OpenGL with the compatibility profile so fixed-function drawing
// works. Draws into a pbuffer of the given size, or into a framebuffer
// object when the display offers no pbuffer configurations. Part of
// ostrel_host_gl.
//
// On Windows (OffscreenWgl.cpp, ostrel_host_gl there) the context comes
// from wglCreateContext on a hidden window, drawn by whatever OpenGL driver
// Windows has, and always draws into a framebuffer object of the given
// size; Software and Gpu there only check what the driver is.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/Renderer.h"

namespace host {

// Sets the simulator's window-drawing state in the current context:
// viewport over width x height pixels, projection in window pixels (origin
// lower left, y up), identity modelview.
void SetWindowProjection(int width, int height);

class OffscreenGLError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class OffscreenGL {
public:
    // Throws OffscreenGLError, saying what was looked for; leaves it current.
    OffscreenGL(int width, int height, Renderer renderer = Renderer::Software);
    ~OffscreenGL();
    OffscreenGL(const OffscreenGL &) = delete;
    OffscreenGL &operator=(const OffscreenGL &) = delete;

    static bool anyCurrent();  // some GL context is current on this thread
    void makeCurrent();
    void release();  // no context current afterwards
    int width() const { return width_; }
    int height() const { return height_; }
    bool usesFramebufferObject() const;
    std::string renderer() const;  // GL_RENDERER, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)"
    std::string vendor() const;    // GL_VENDOR, e.g. "Mesa"
    // How the context was made: "EGL's device platform, device 0 of 2
    // (/dev/dri/renderD128)", "Mesa's surfaceless EGL platform", "WGL";
    // for Renderer::Auto without a card, also why none was taken.
    const std::string &platform() const;

    // SetWindowProjection over the whole surface.
    void setWindowProjection();
    void clear(float r, float g, float b, float a);
    void finish();

    // RGBA8 pixels, rows from the bottom (GL order), width() * height() * 4 bytes.
    std::vector<uint8_t> readPixels() const;
    struct Rgba {
        int r, g, b, a;
    };
    Rgba pixel(int x, int y) const;  // window pixel, y up

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int width_, height_;
};

}  // namespace host

#endif
