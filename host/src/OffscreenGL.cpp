// Offscreen desktop OpenGL through EGL without a display.

#include "host/OffscreenGL.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace host {

struct OffscreenGL::Impl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    GLuint fbo = 0, colour = 0, depth = 0;
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
        auto genFramebuffers = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(
            eglGetProcAddress("glGenFramebuffers"));
        auto bindFramebuffer = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(
            eglGetProcAddress("glBindFramebuffer"));
        auto genRenderbuffers = reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(
            eglGetProcAddress("glGenRenderbuffers"));
        auto bindRenderbuffer = reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(
            eglGetProcAddress("glBindRenderbuffer"));
        auto storage = reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(
            eglGetProcAddress("glRenderbufferStorage"));
        auto attach = reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(
            eglGetProcAddress("glFramebufferRenderbuffer"));
        if (!genFramebuffers || !bindFramebuffer || !genRenderbuffers || !bindRenderbuffer ||
            !storage || !attach) {
            eglMakeCurrent(m.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
            eglDestroyContext(m.display, m.context);
            eglTerminate(m.display);
            throw OffscreenGLError("no pbuffer and no framebuffer objects");
        }
        genFramebuffers(1, &m.fbo);
        bindFramebuffer(GL_FRAMEBUFFER, m.fbo);
        genRenderbuffers(1, &m.colour);
        bindRenderbuffer(GL_RENDERBUFFER, m.colour);
        storage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m.colour);
        genRenderbuffers(1, &m.depth);
        bindRenderbuffer(GL_RENDERBUFFER, m.depth);
        storage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
        attach(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m.depth);
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
    return impl_->fbo != 0;
}

std::string OffscreenGL::renderer() const
{
    const GLubyte *r = glGetString(GL_RENDERER);
    return r ? reinterpret_cast<const char *>(r) : "";
}

void OffscreenGL::setWindowProjection()
{
    glViewport(0, 0, width_, height_);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width_, 0.0, height_, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void OffscreenGL::clear(float r, float g, float b, float a)
{
    glClearColor(r, g, b, a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void OffscreenGL::finish()
{
    glFinish();
}

std::vector<uint8_t> OffscreenGL::readPixels() const
{
    std::vector<uint8_t> px(size_t(width_) * size_t(height_) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return px;
}

OffscreenGL::Rgba OffscreenGL::pixel(int x, int y) const
{
    uint8_t p[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
}

}  // namespace host
