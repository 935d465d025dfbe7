// Offscreen desktop OpenGL through EGL without a display (host/OffscreenGL.h;
// OffscreenWgl.cpp is its Windows twin). The drawing and read-back calls
// shared with the Windows context are in OffscreenGLCommon.cpp.

#include "host/OffscreenGL.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>

#include "Framebuffer.h"

namespace host {

struct OffscreenGL::Impl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    Framebuffer fb;
};

static bool HasExtension(const char *list, const char *name)
{
    if (!list) return false;
    size_t n = std::strlen(name);
    for (const char *p = list; (p = std::strstr(p, name)) != nullptr; p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

static EGLDisplay OpenDisplay()
{
    const char *clientExts = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (HasExtension(clientExts, "EGL_MESA_platform_surfaceless")) {
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay) {
            EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY,
                                              nullptr);
            if (d != EGL_NO_DISPLAY) return d;
        }
    }
    // A GPU vendor's EGL without Mesa's platforms.
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

static std::string EglError(const char *what)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s failed (EGL error 0x%04x)", what, unsigned(eglGetError()));
    return buf;
}

OffscreenGL::OffscreenGL(int width, int height)
    : impl_(std::make_unique<Impl>()), width_(width), height_(height)
{
    Impl &m = *impl_;
    m.display = OpenDisplay();
    if (m.display == EGL_NO_DISPLAY) throw OffscreenGLError("no EGL display");
    EGLint major = 0, minor = 0;
    if (!eglInitialize(m.display, &major, &minor)) throw OffscreenGLError(EglError("eglInitialize"));
    if (!eglBindAPI(EGL_OPENGL_API)) {
        eglTerminate(m.display);
        throw OffscreenGLError(EglError("eglBindAPI(EGL_OPENGL_API)"));
    }

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

}  // namespace host
