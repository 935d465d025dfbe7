#ifndef OSTREL_HOST_RENDERER_H
#define OSTREL_HOST_RENDERER_H
// Which renderer draws an offscreen context (host/OffscreenGL.h) or a
// preview window: flyer-sim's --gl.

#include <string>

namespace host {

enum class Renderer {
    // Mesa's software rasterizer (llvmpipe): the same pixels on every machine.
    Software,
    // A graphics card where EGL's device platform lists one, else Software.
    Auto,
    // A graphics card, or an error naming what was looked for.
    Gpu,
    // Mesa's software rasterizer taken as a device of EGL's device platform,
    // the way Auto and Gpu take a card: the device path on a machine with
    // none. For tests; flyer-sim's command line does not offer it.
    SoftwareDevice,
};

// "auto", "gpu", "software" as --gl takes them (and "software-device").
constexpr const char *RendererName(Renderer r)
{
    return r == Renderer::Auto ? "auto" : r == Renderer::Gpu ? "gpu" : r == Renderer::Software ? "software"
                                                                                               : "software-device";
}

// Whether a GL_RENDERER string names a software rasterizer: Mesa's
// llvmpipe, softpipe or swrast, Windows' GDI Generic, and the like.
bool IsSoftwareRenderer(const std::string &glRenderer);

// Why a context that glRenderer draws is not what `asked` wants, where the
// driver cannot be chosen (WGL, the preview window): Gpu refuses a
// software rasterizer, Software anything else. Empty when it will do.
std::string RendererMismatch(Renderer asked, const std::string &glRenderer);

// GL_VENDOR and GL_RENDERER of the context current on this thread.
std::string CurrentGlVendor();
std::string CurrentGlRenderer();

}  // namespace host

#endif
