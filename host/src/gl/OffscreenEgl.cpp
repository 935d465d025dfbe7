// Offscreen desktop OpenGL through EGL without a display (host/OffscreenGL.h;
// OffscreenWgl.cpp is its Windows twin), on the display EglDisplays.cpp
// chooses. The drawing and read-back calls shared with the Windows context
// are in OffscreenGLCommon.cpp.

#include "host/OffscreenGL.h"

#include <EGL/egl.h>

#include "EglDisplays.h"
#include "Framebuffer.h"

namespace host {

struct OffscreenGL::Impl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    Framebuffer fb;
    std::string platform;
};

OffscreenGL::OffscreenGL(int width, int height, Renderer asked)
    : impl_(std::make_unique<Impl>()), width_(width), height_(height)
{
    Impl &m = *impl_;
    m.display = OpenEglDisplay(asked, m.platform);  // initialised, desktop OpenGL bound

    const EGLint pbufferConfig[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                    EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_NONE};
    const EGLint anyConfig[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    bool pbuffer = eglChooseConfig(m.display, pbufferConfig, &config, 1, &count) && count > 0;
    if (!pbuffer && !(eglChooseConfig(m.display, anyConfig, &config, 1, &count) && count > 0)) {
        eglTerminate(m.display);
        throw OffscreenGLError("no EGL config for desktop OpenGL");
    }

    const EGLint compat[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                             EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    m.context = eglCreateContext(m.display, config, EGL_NO_CONTEXT, compat);
    if (m.context == EGL_NO_CONTEXT)  // EGL before 1.5 without KHR_create_context
        m.context = eglCreateContext(m.display, config, EGL_NO_CONTEXT, nullptr);
    if (m.context == EGL_NO_CONTEXT) {
        std::string e = EglError("eglCreateContext");
        eglTerminate(m.display);
        throw OffscreenGLError(e);
    }

    if (pbuffer) {
        const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        m.surface = eglCreatePbufferSurface(m.display, config, size);
        if (m.surface == EGL_NO_SURFACE) pbuffer = false;
    }
    if (!eglMakeCurrent(m.display, m.surface, m.surface, m.context)) {
        std::string e = EglError("eglMakeCurrent");
        eglDestroyContext(m.display, m.context);
        if (m.surface != EGL_NO_SURFACE) eglDestroySurface(m.display, m.surface);
        eglTerminate(m.display);
        throw OffscreenGLError(e);
    }

    if (!pbuffer) {
        // Surfaceless: draw into a framebuffer object instead.
        auto lookup = [](const char *name) {
            return reinterpret_cast<void *>(eglGetProcAddress(name));
        };
        if (!MakeFramebuffer(width, height, lookup, m.fb)) {
            eglMakeCurrent(m.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
            eglDestroyContext(m.display, m.context);
            eglTerminate(m.display);
            throw OffscreenGLError("no pbuffer and no framebuffer objects");
        }
    }
    setWindowProjection();
}

OffscreenGL::~OffscreenGL()
{
    Impl &m = *impl_;
    eglMakeCurrent(m.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(m.display, m.context);
    if (m.surface != EGL_NO_SURFACE) eglDestroySurface(m.display, m.surface);
    // The display stays initialised for the rest of the process, and the next
    // context reuses it: terminating it would unload the driver every time
    // (slow, and Mesa then leaves a few blocks unreachable).
}

bool OffscreenGL::anyCurrent()
{
    return eglGetCurrentContext() != EGL_NO_CONTEXT;
}

void OffscreenGL::makeCurrent()
{
    Impl &m = *impl_;
    if (!eglMakeCurrent(m.display, m.surface, m.surface, m.context))
        throw OffscreenGLError(EglError("eglMakeCurrent"));
}

void OffscreenGL::release()
{
    eglMakeCurrent(impl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool OffscreenGL::usesFramebufferObject() const
{
    return impl_->fb.fbo != 0;
}

const std::string &OffscreenGL::platform() const
{
    return impl_->platform;
}

}  // namespace host
