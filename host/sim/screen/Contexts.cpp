#include "Contexts.h"

#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

#include "flights/InputText.h"

namespace sim {

namespace {

void Announce(host::Renderer gl, const std::string &vendor, const std::string &renderer, const std::string &how)
{
    std::cerr << "flyer-sim: --gl " << host::RendererName(gl) << ": GL_VENDOR \"" << Printable(vendor)
              << "\", GL_RENDERER \"" << Printable(renderer) << "\", " << Printable(how) << "\n";
}

// The error for a renderer that is not there, with what --gl auto takes
// where it would do: in place of a card, or of a driver that cannot be
// chosen.
std::runtime_error Refused(host::Renderer gl, const std::string &why, const char *autoTakes, bool chosen)
{
    std::string hint;
    if (gl == host::Renderer::Gpu || !chosen) hint = std::string("; --gl auto takes ") + autoTakes;
    return std::runtime_error("--gl " + std::string(host::RendererName(gl)) + ": " + why + hint);
}

#ifdef _WIN32
constexpr const char *kOffscreenAuto = "the driver Windows has", *kWindowAuto = kOffscreenAuto;
constexpr bool kOffscreenChosen = false;
#else
constexpr const char *kOffscreenAuto = "Mesa's software rasterizer where there is no card",
                     *kWindowAuto = "the display's driver";
constexpr bool kOffscreenChosen = true;
#endif

}  // namespace

std::unique_ptr<host::OffscreenGL> OpenOffscreenGL(int width, int height, host::Renderer gl, bool verbose,
                                                   bool announce)
{
    std::unique_ptr<host::OffscreenGL> context;
    try {
        context = std::make_unique<host::OffscreenGL>(width, height, gl);
    } catch (const host::OffscreenGLError &e) {
        throw Refused(gl, e.what(), kOffscreenAuto, kOffscreenChosen);
    }
    if (announce || verbose) Announce(gl, context->vendor(), context->renderer(), context->platform());
    return context;
}

void AskWindowRenderer(host::Renderer gl)
{
#ifndef _WIN32
    // GLFW's context is the display's (GLX): Mesa's software rasterizer
    // where libglvnd is told to take Mesa and Mesa its software driver.
    if (gl == host::Renderer::Software) {
        setenv("__GLX_VENDOR_LIBRARY_NAME", "mesa", 1);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    }
#else
    (void)gl;
#endif
}

void CheckWindowRenderer(host::Renderer gl, bool verbose)
{
    const std::string renderer = host::CurrentGlRenderer();
    const std::string mismatch = host::RendererMismatch(gl, renderer);
    if (!mismatch.empty()) throw Refused(gl, "the preview window: " + mismatch, kWindowAuto, false);
    if (verbose) Announce(gl, host::CurrentGlVendor(), renderer, "the preview window's context");
}

}  // namespace sim
