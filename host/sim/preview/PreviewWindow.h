#ifndef OSTREL_SIM_PREVIEW_PREVIEWWINDOW_H
#define OSTREL_SIM_PREVIEW_PREVIEWWINDOW_H
// The preview's window on the screen (--window), with an OpenGL context
// current on it while it is open: GLFW on Linux (GlfwWindow.cpp), plain
// Win32 and WGL on Windows (Win32Window.cpp). What it draws and what its
// keys do is the preview's (Preview.cpp), the same on both.

#include <memory>
#include <string>

namespace sim {

enum class KeyAction { Press, Repeat, Release };

// Keys as the preview knows them: the characters of kWindowKeys (cli/Help.h;
// the keypad's plus and minus come as '=' and '-'), upper-case letters,
// ' ' and kEscapeKey. Other keys are not reported.
inline constexpr int kEscapeKey = 27;

class PreviewWindow {
public:
    // What the window reports while poll() runs. Positions are framebuffer
    // pixels from the lower left, as the simulator's screen has them.
    struct Events {
        virtual ~Events() = default;
        virtual void key(int key, KeyAction action) = 0;
        virtual void button(bool down, int x, int y) = 0;  // the left button
        virtual void moved(int x, int y) = 0;
    };

    // A window whose drawing area is width x height pixels where the screen
    // allows, with a current OpenGL 2.1 context (compatibility). Throws
    // std::runtime_error when none can be opened.
    static std::unique_ptr<PreviewWindow> Open(int width, int height, const std::string &title);
    virtual ~PreviewWindow() = default;

    // The drawing area's size in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Shows the frame drawn since the last call.
    virtual void present() = 0;
    // Delivers the input waiting, without waiting for more.
    virtual void poll(Events &events) = 0;
    // The user closed it (or close() was called).
    virtual bool closed() const = 0;
    virtual void close() = 0;
};

}  // namespace sim

#endif
