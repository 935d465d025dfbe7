// The parts of the offscreen context that are plain OpenGL, the same for the
// EGL (OffscreenEgl.cpp) and the WGL (OffscreenWgl.cpp) contexts.

#include "host/OffscreenGL.h"

#include "Framebuffer.h"

#ifndef APIENTRY
#define APIENTRY
#endif

namespace host {

namespace {
// The framebuffer-object entry points, with the values of GL 3.0.
constexpr GLenum kFramebuffer = 0x8D40, kRenderbuffer = 0x8D41, kColorAttachment0 = 0x8CE0,
                 kDepthStencilAttachment = 0x821A, kRgba8 = 0x8058, kDepth24Stencil8 = 0x88F0;
using GenFn = void(APIENTRY *)(GLsizei, GLuint *);
using BindFn = void(APIENTRY *)(GLenum, GLuint);
using StorageFn = void(APIENTRY *)(GLenum, GLenum, GLsizei, GLsizei);
using AttachFn = void(APIENTRY *)(GLenum, GLenum, GLenum, GLuint);
}  // namespace

bool MakeFramebuffer(int width, int height, void *(*lookup)(const char *), Framebuffer &out)
{
    auto genFramebuffers = reinterpret_cast<GenFn>(lookup("glGenFramebuffers"));
    auto bindFramebuffer = reinterpret_cast<BindFn>(lookup("glBindFramebuffer"));
    auto genRenderbuffers = reinterpret_cast<GenFn>(lookup("glGenRenderbuffers"));
    auto bindRenderbuffer = reinterpret_cast<BindFn>(lookup("glBindRenderbuffer"));
    auto storage = reinterpret_cast<StorageFn>(lookup("glRenderbufferStorage"));
    auto attach = reinterpret_cast<AttachFn>(lookup("glFramebufferRenderbuffer"));
    if (!genFramebuffers || !bindFramebuffer || !genRenderbuffers || !bindRenderbuffer ||
        !storage || !attach)
        return false;
    genFramebuffers(1, &out.fbo);
    bindFramebuffer(kFramebuffer, out.fbo);
    genRenderbuffers(1, &out.colour);
    bindRenderbuffer(kRenderbuffer, out.colour);
    storage(kRenderbuffer, kRgba8, width, height);
    attach(kFramebuffer, kColorAttachment0, kRenderbuffer, out.colour);
    genRenderbuffers(1, &out.depth);
    bindRenderbuffer(kRenderbuffer, out.depth);
    storage(kRenderbuffer, kDepth24Stencil8, width, height);
    attach(kFramebuffer, kDepthStencilAttachment, kRenderbuffer, out.depth);
    return true;
}

static std::string GlString(GLenum name)
{
    const GLubyte *s = glGetString(name);
    return s ? reinterpret_cast<const char *>(s) : "";
}

std::string CurrentGlVendor()
{
    return GlString(GL_VENDOR);
}

std::string CurrentGlRenderer()
{
    return GlString(GL_RENDERER);
}

std::string OffscreenGL::renderer() const
{
    return CurrentGlRenderer();
}

std::string OffscreenGL::vendor() const
{
    return CurrentGlVendor();
}

bool IsSoftwareRenderer(const std::string &glRenderer)
{
    for (const char *name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer", "GDI Generic", "SwiftShader",
                             "Microsoft Basic Render Driver"})
        if (glRenderer.find(name) != std::string::npos) return true;
    return false;
}

std::string RendererMismatch(Renderer asked, const std::string &glRenderer)
{
    const bool software = IsSoftwareRenderer(glRenderer);
    if (asked == Renderer::Gpu && software)
        return "no graphics card: the OpenGL driver is " + glRenderer + ", a software rasterizer";
    if ((asked == Renderer::Software || asked == Renderer::SoftwareDevice) && !software)
        return "the OpenGL driver is " + glRenderer + ", not a software rasterizer, and it cannot be chosen here";
    return {};
}

void SetWindowProjection(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void OffscreenGL::setWindowProjection()
{
    SetWindowProjection(width_, height_);
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
