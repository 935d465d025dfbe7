// What draws a run (--gl): the offscreen context, or the preview window's
// context, and the line that says which renderer it is.

#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "Modes.h"
#include "PreviewWindow.h"
#include "flights/InputText.h"

namespace sim {

namespace {

void Announce(const Options &opts, const std::string &vendor, const std::string &renderer, const std::string &how)
{
    std::cerr << "flyer-sim: --gl " << host::RendererName(opts.gl) << ": GL_VENDOR \"" << Printable(vendor)
              << "\", GL_RENDERER \"" << Printable(renderer) << "\", " << Printable(how) << "\n";
}

// The error for a renderer that is not there, with what --gl auto takes
// where it would do: in place of a card, or of a driver that cannot be
// chosen.
std::runtime_error Refused(const Options &opts, const std::string &why, const char *autoTakes, bool chosen)
{
    std::string hint;
    if (opts.gl == host::Renderer::Gpu || !chosen) hint = std::string("; --gl auto takes ") + autoTakes;
    return std::runtime_error("--gl " + std::string(host::RendererName(opts.gl)) + ": " + why + hint);
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

std::unique_ptr<host::OffscreenGL> OpenOffscreenGL(const Options &opts, bool announce)
{
    std::unique_ptr<host::OffscreenGL> gl;
    try {
        gl = std::make_unique<host::OffscreenGL>(opts.screenWidth, opts.screenHeight, opts.gl);
    } catch (const host::OffscreenGLError &e) {
        throw Refused(opts, e.what(), kOffscreenAuto, kOffscreenChosen);
    }
    if (announce || opts.verbose) Announce(opts, gl->vendor(), gl->renderer(), gl->platform());
    return gl;
}

std::unique_ptr<PreviewWindow> OpenPreviewWindow(const Options &opts, const std::string &title)
{
#ifndef _WIN32
    // GLFW's context is the display's (GLX): Mesa's software rasterizer
    // where libglvnd is told to take Mesa and Mesa its software driver.
    if (opts.gl == host::Renderer::Software) {
        setenv("__GLX_VENDOR_LIBRARY_NAME", "mesa", 1);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    }
#endif
    auto window = PreviewWindow::Open(opts.screenWidth, opts.screenHeight, title);
    const std::string renderer = host::CurrentGlRenderer();
    const std::string mismatch = host::RendererMismatch(opts.gl, renderer);
    if (!mismatch.empty()) throw Refused(opts, "the preview window: " + mismatch, kWindowAuto, false);
    if (opts.verbose) Announce(opts, host::CurrentGlVendor(), renderer, "the preview window's context");
    return window;
}

}  // namespace sim
