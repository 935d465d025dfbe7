// Offscreen OpenGL on Windows: a legacy (compatibility) context from
// wglCreateContext on a hidden window, drawing into a framebuffer object so
// no pixel ever depends on the window being on screen. The drawing and
// read-back calls are shared with the EGL context (OffscreenGLCommon.cpp).
// WGL gives the one OpenGL driver Windows has (under Wine, Mesa's llvmpipe):
// a renderer other than Auto is a check of what it gave.

#include "host/OffscreenGL.h"
#include "host/Wgl.h"

#include "Framebuffer.h"

namespace host {

struct OffscreenGL::Impl {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    Framebuffer fb;
    std::string platform = "WGL";
};

static const char kWindowClass[] = "OstrelOffscreenGL";

std::string WinError(const char *what)
{
    return std::string(what) + " failed (Windows error " + std::to_string(GetLastError()) + ")";
}

bool SetGlPixelFormat(HDC dc)
{
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cAlphaBits = 8;
    pfd.cDepthBits = 24;
    pfd.cStencilBits = 8;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(dc, &pfd);
    return format && SetPixelFormat(dc, format, &pfd);
}

static void *Lookup(const char *name)
{
    return reinterpret_cast<void *>(wglGetProcAddress(name));
}

// Takes the private Impl as a template argument, deduced where it is visible.
template <class Impl>
static void Release(Impl &m)
{
    if (m.context) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(m.context);
    }
    if (m.dc) ReleaseDC(m.window, m.dc);
    if (m.window) DestroyWindow(m.window);
    m = {};
}

OffscreenGL::OffscreenGL(int width, int height, Renderer asked)
    : impl_(std::make_unique<Impl>()), width_(width), height_(height)
{
    Impl &m = *impl_;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw OffscreenGLError(WinError("RegisterClass"));
    // Never shown: created without WS_VISIBLE.
    m.window = CreateWindowExA(0, kWindowClass, "Ostrel offscreen", WS_OVERLAPPEDWINDOW, 0, 0, 64,
                               64, nullptr, nullptr, instance, nullptr);
    if (!m.window) throw OffscreenGLError(WinError("CreateWindowEx"));
    m.dc = GetDC(m.window);

    if (!SetGlPixelFormat(m.dc)) {
        std::string e = WinError("ChoosePixelFormat/SetPixelFormat");
        Release(m);
        throw OffscreenGLError(e);
    }
    m.context = wglCreateContext(m.dc);
    if (!m.context || !wglMakeCurrent(m.dc, m.context)) {
        std::string e = WinError("wglCreateContext/wglMakeCurrent");
        Release(m);
        throw OffscreenGLError(e);
    }
    if (!MakeFramebuffer(width, height, Lookup, m.fb)) {
        Release(m);
        throw OffscreenGLError("the WGL context has no framebuffer objects");
    }
    const std::string mismatch = RendererMismatch(asked, renderer());
    if (!mismatch.empty()) {
        Release(m);
        throw OffscreenGLError("WGL: " + mismatch);
    }
    setWindowProjection();
}

OffscreenGL::~OffscreenGL()
{
    Release(*impl_);
}

bool OffscreenGL::anyCurrent()
{
    return wglGetCurrentContext() != nullptr;
}

void OffscreenGL::makeCurrent()
{
    if (!wglMakeCurrent(impl_->dc, impl_->context))
        throw OffscreenGLError(WinError("wglMakeCurrent"));
}

void OffscreenGL::release()
{
    wglMakeCurrent(nullptr, nullptr);
}

bool OffscreenGL::usesFramebufferObject() const
{
    return true;
}

const std::string &OffscreenGL::platform() const
{
    return impl_->platform;
}

}  // namespace host
