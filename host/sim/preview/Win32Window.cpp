// The preview's window on Windows: a plain Win32 window with a WGL context
// on it (the offscreen context's pixel format, host/Wgl.h),
// drawing straight into its back buffer. Its keys and mouse reach the
// preview as GLFW's do on Linux.

#include <windows.h>
#include <windowsx.h>
#include <mmsystem.h>

#include <stdexcept>

#include "host/Wgl.h"
#include "PreviewWindow.h"

namespace sim {

namespace {

const char kWindowClass[] = "OstrelFlyerPreview";

using host::WinError;

// Virtual-key codes as the preview's keys: letters and digits are their
// characters; the =/+ and -/_ keys and the keypad's plus and minus give
// '=' and '-', as on Linux.
int KeyOf(WPARAM vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return int(vk);
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_ESCAPE: return kEscapeKey;
    case VK_OEM_PLUS:
    case VK_ADD: return '=';
    case VK_OEM_MINUS:
    case VK_SUBTRACT: return '-';
    default: return -1;
    }
}

class Win32Window : public PreviewWindow {
public:
    Win32Window(int width, int height, const std::string &title)
    {
        // Pixels are pixels: no scaling of the window by the desktop's DPI.
        SetProcessDPIAware();
        // Frames at 30 Hz want sleeps shorter than the default 15.6 ms tick.
        timeBeginPeriod(1);
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = Procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kWindowClass;
        if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) fail(WinError("RegisterClass"));

        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT r = {0, 0, width, height};
        AdjustWindowRect(&r, style, FALSE);
        window_ = CreateWindowExA(0, kWindowClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
        if (!window_) fail(WinError("CreateWindowEx"));
        SetWindowLongPtrA(window_, GWLP_USERDATA, LONG_PTR(this));
        dc_ = GetDC(window_);

        if (!host::SetGlPixelFormat(dc_)) fail(WinError("ChoosePixelFormat/SetPixelFormat"));
        context_ = wglCreateContext(dc_);
        if (!context_ || !wglMakeCurrent(dc_, context_)) fail(WinError("wglCreateContext/wglMakeCurrent"));
        // The preview keeps its own time; a driver's vertical sync would add its wait to each frame.
        using SwapInterval = BOOL(WINAPI *)(int);
        // (Through void *: the address has no one function type.)
        void *address = reinterpret_cast<void *>(wglGetProcAddress("wglSwapIntervalEXT"));
        if (auto swapInterval = reinterpret_cast<SwapInterval>(address))
            swapInterval(0);

        ShowWindow(window_, SW_SHOWNORMAL);
        UpdateWindow(window_);
        RECT client;
        GetClientRect(window_, &client);
        width_ = client.right - client.left;
        height_ = client.bottom - client.top;
    }
    ~Win32Window() override { release(); }

    int width() const override { return width_; }
    int height() const override { return height_; }
    void present() override { SwapBuffers(dc_); }
    void poll(Events &events) override
    {
        events_ = &events;
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (m.message == WM_QUIT) closed_ = true;
            DispatchMessageA(&m);
        }
        events_ = nullptr;
    }
    bool closed() const override { return closed_; }
    void close() override { closed_ = true; }

private:
    [[noreturn]] void fail(const std::string &why)
    {
        release();
        throw std::runtime_error("cannot open the preview window: " + why);
    }
    void release()
    {
        if (context_) {
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(context_);
        }
        if (dc_) ReleaseDC(window_, dc_);
        if (window_) DestroyWindow(window_);
        context_ = nullptr;
        dc_ = nullptr;
        window_ = nullptr;
        timeEndPeriod(1);
    }

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp)
    {
        auto *self = reinterpret_cast<Win32Window *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && self->handle(message, wp, lp)) return 0;
        return DefWindowProcA(hwnd, message, wp, lp);
    }

    // True when the message is the preview's.
    bool handle(UINT message, WPARAM wp, LPARAM lp)
    {
        const int x = GET_X_LPARAM(lp), y = height_ - 1 - GET_Y_LPARAM(lp);
        switch (message) {
        case WM_CLOSE: closed_ = true; return true;
        case WM_ERASEBKGND: return true;  // every frame covers the whole window
        case WM_KEYDOWN:
        case WM_KEYUP: {
            const int key = KeyOf(wp);
            // Bit 30: the key was down before, so this is the keyboard's repeat.
            const KeyAction action = message == WM_KEYUP ? KeyAction::Release
                                     : (lp & (1 << 30))  ? KeyAction::Repeat
                                                         : KeyAction::Press;
            if (key >= 0 && events_) events_->key(key, action);
            return true;
        }
        case WM_LBUTTONDOWN:
            SetCapture(window_);  // the drag goes on outside the window, as in the simulator
            if (events_) events_->button(true, x, y);
            return true;
        case WM_LBUTTONUP:
            ReleaseCapture();
            if (events_) events_->button(false, x, y);
            return true;
        case WM_MOUSEMOVE:
            if (events_) events_->moved(x, y);
            return true;
        default: return false;
        }
    }

    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
    int width_ = 0, height_ = 0;
    bool closed_ = false;
    Events *events_ = nullptr;
};

}  // namespace

std::unique_ptr<PreviewWindow> PreviewWindow::Open(int width, int height, const std::string &title)
{
    return std::make_unique<Win32Window>(width, height, title);
}

}  // namespace sim
