// The preview's window on Linux, through GLFW.

#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <link.h>

#include <iostream>
#include <stdexcept>
#include <vector>

#include "PreviewWindow.h"

namespace sim {

namespace {

int KeyOf(int glfwKey)
{
    if (glfwKey == GLFW_KEY_KP_ADD) return '=';
    if (glfwKey == GLFW_KEY_KP_SUBTRACT) return '-';
    if (glfwKey == GLFW_KEY_ESCAPE) return kEscapeKey;
    // Printable keys are their (upper-case) characters in GLFW's codes.
    return glfwKey >= 32 && glfwKey < 127 ? glfwKey : -1;
}

// GLFW loads X extension libraries and the GL driver itself and unloads them
// at terminate, taking the names of what they never freed with them: a leak
// checker then reports those leaks as anonymous. Kept loaded, they are named
// and flyer-sim's suppressions (LeakSuppressions.cpp) recognise them.
void KeepLoadedLibrariesLoaded()
{
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            if (info->dlpi_name && *info->dlpi_name)
                static_cast<std::vector<std::string> *>(data)->push_back(info->dlpi_name);
            return 0;
        },
        &names);
    for (const std::string &n : names) dlopen(n.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

void OnGlfwError(int, const char *description)
{
    std::cerr << "flyer-sim: GLFW: " << description << "\n";
}

class GlfwWindow : public PreviewWindow {
public:
    GlfwWindow(int width, int height, const std::string &title)
    {
        glfwSetErrorCallback(OnGlfwError);
        if (!glfwInit()) throw std::runtime_error("cannot open a window (no display? try xvfb-run)");
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
        glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
        window_ = glfwCreateWindow(width, height, title.c_str(), nullptr, nullptr);
        if (!window_) {
            Terminate();
            throw std::runtime_error("cannot open a " + std::to_string(width) + "x" + std::to_string(height) +
                                     " window with OpenGL 2.1");
        }
        glfwMakeContextCurrent(window_);
        glfwSwapInterval(0);
        glfwGetFramebufferSize(window_, &width_, &height_);
        int w = 0, h = 0;
        glfwGetWindowSize(window_, &w, &h);
        scale_ = w > 0 ? double(width_) / w : 1.0;
        glfwSetWindowUserPointer(window_, this);
        glfwSetKeyCallback(window_, [](GLFWwindow *w, int key, int, int action, int) {
            GlfwWindow &self = Of(w);
            const int k = KeyOf(key);
            if (self.events_ && k >= 0)
                self.events_->key(k, action == GLFW_PRESS    ? KeyAction::Press
                                     : action == GLFW_REPEAT ? KeyAction::Repeat
                                                             : KeyAction::Release);
        });
        glfwSetMouseButtonCallback(window_, [](GLFWwindow *w, int button, int action, int) {
            GlfwWindow &self = Of(w);
            if (button != GLFW_MOUSE_BUTTON_LEFT || !self.events_) return;
            int x, y;
            self.cursor(x, y);
            self.events_->button(action == GLFW_PRESS, x, y);
        });
        glfwSetCursorPosCallback(window_, [](GLFWwindow *w, double, double) {
            GlfwWindow &self = Of(w);
            if (!self.events_) return;
            int x, y;
            self.cursor(x, y);
            self.events_->moved(x, y);
        });
    }
    ~GlfwWindow() override
    {
        glfwDestroyWindow(window_);
        Terminate();
    }

    int width() const override { return width_; }
    int height() const override { return height_; }
    void present() override { glfwSwapBuffers(window_); }
    void poll(Events &events) override
    {
        events_ = &events;
        glfwPollEvents();
        events_ = nullptr;
    }
    bool closed() const override { return glfwWindowShouldClose(window_); }
    void close() override { glfwSetWindowShouldClose(window_, 1); }

private:
    static GlfwWindow &Of(GLFWwindow *w) { return *static_cast<GlfwWindow *>(glfwGetWindowUserPointer(w)); }
    static void Terminate()
    {
        KeepLoadedLibrariesLoaded();
        glfwTerminate();
    }
    // The cursor in framebuffer pixels from the lower left.
    void cursor(int &x, int &y) const
    {
        double cx, cy;
        glfwGetCursorPos(window_, &cx, &cy);
        x = int(cx * scale_);
        y = height_ - 1 - int(cy * scale_);
    }

    GLFWwindow *window_ = nullptr;
    int width_ = 0, height_ = 0;
    double scale_ = 1;
    Events *events_ = nullptr;
};

}  // namespace

std::unique_ptr<PreviewWindow> PreviewWindow::Open(int width, int height, const std::string &title)
{
    return std::make_unique<GlfwWindow>(width, height, title);
}

}  // namespace sim
