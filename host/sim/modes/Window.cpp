// --window: the flight in real time in a GLFW window. The panel commands are
// bound to keys (press = begin phase, hold = continue, release = end), the
// mouse drags the panel as in the simulator.

#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <thread>
#include <vector>

#include "Modes.h"
#include "cli/Help.h"
#include "host/PanelInterface.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace sim {

namespace {

// The keypad's plus and minus work as = and -.
int KeyOf(int glfwKey)
{
    return glfwKey == GLFW_KEY_KP_ADD ? '=' : glfwKey == GLFW_KEY_KP_SUBTRACT ? '-' : glfwKey;
}

// V steps through the view types the panel shows in, then those it does not.
std::vector<int> ViewCycle()
{
    std::vector<int> views(std::begin(host::kShownViews), std::end(host::kShownViews));
    views.insert(views.end(), std::begin(host::kHiddenViews), std::end(host::kHiddenViews));
    return views;
}

bool Shown(int view)
{
    return std::find(std::begin(host::kShownViews), std::end(host::kShownViews), view) !=
           std::end(host::kShownViews);
}

struct Preview {
    Session *session = nullptr;
    GLFWwindow *window = nullptr;
    bool paused = false;
    bool buttonDown = false;
    int fbHeight = 0;
    double scale = 1;

    void cursorToScreen(double cx, double cy, int &x, int &y) const
    {
        x = int(cx * scale);
        y = fbHeight - 1 - int(cy * scale);
    }
};

Preview &Of(GLFWwindow *w)
{
    return *static_cast<Preview *>(glfwGetWindowUserPointer(w));
}

void OnKey(GLFWwindow *w, int key, int, int action, int)
{
    Preview &p = Of(w);
    for (const WindowKey &k : kWindowKeys)
        if (k.key == KeyOf(key)) {
            p.session->command(host::CommandName(k.command), action == GLFW_PRESS     ? xplm_CommandBegin
                                                             : action == GLFW_REPEAT ? xplm_CommandContinue
                                                                                     : xplm_CommandEnd);
            return;
        }
    if (action != GLFW_PRESS) return;
    if (key == GLFW_KEY_SPACE) p.paused = !p.paused;
    if (key == GLFW_KEY_ESCAPE) glfwSetWindowShouldClose(w, 1);
    if (key == GLFW_KEY_V) {
        static const std::vector<int> views = ViewCycle();
        const auto at = std::find(views.begin(), views.end(), p.session->view());
        const int next = at == views.end() || at + 1 == views.end() ? views.front() : *(at + 1);
        p.session->setView(next);
        std::cerr << "flyer-sim: view type " << next << (Shown(next) ? "" : " (not listed)") << "\n";
    }
}

void OnButton(GLFWwindow *w, int button, int action, int)
{
    if (button != GLFW_MOUSE_BUTTON_LEFT) return;
    Preview &p = Of(w);
    double cx, cy;
    glfwGetCursorPos(w, &cx, &cy);
    int x, y;
    p.cursorToScreen(cx, cy, x, y);
    p.buttonDown = action == GLFW_PRESS;
    p.session->mouse(x, y, action == GLFW_PRESS ? xplm_MouseDown : xplm_MouseUp);
}

void OnCursor(GLFWwindow *w, double cx, double cy)
{
    Preview &p = Of(w);
    if (!p.buttonDown) return;
    int x, y;
    p.cursorToScreen(cx, cy, x, y);
    p.session->mouse(x, y, xplm_MouseDrag);
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

struct Glfw {
    Glfw()
    {
        glfwSetErrorCallback(OnGlfwError);
        if (!glfwInit()) throw std::runtime_error("cannot open a window (no display? try xvfb-run)");
    }
    ~Glfw()
    {
        KeepLoadedLibrariesLoaded();
        glfwTerminate();
    }
};

}  // namespace

int RunWindow(const Options &opts)
{
    Input in = LoadInput(opts);
    const std::string keys = WindowKeysHelp();

    Glfw glfw;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    std::string title = "flyer-sim: " + in.flight.name + "   " + keys;
    GLFWwindow *window =
        glfwCreateWindow(opts.screenWidth, opts.screenHeight, title.c_str(), nullptr, nullptr);
    if (!window) throw std::runtime_error("cannot open a " + std::to_string(opts.screenWidth) + "x" +
                                          std::to_string(opts.screenHeight) + " window with OpenGL 2.1");
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);

    Options o = opts;
    int winW, winH;
    glfwGetFramebufferSize(window, &o.screenWidth, &o.screenHeight);
    glfwGetWindowSize(window, &winW, &winH);
    int code = 0;
    {
        Session session(o, in.flight, in.events);
        session.start();
        Preview p;
        p.session = &session;
        p.window = window;
        p.fbHeight = o.screenHeight;
        p.scale = winW > 0 ? double(o.screenWidth) / winW : 1.0;
        glfwSetWindowUserPointer(window, &p);
        glfwSetKeyCallback(window, OnKey);
        glfwSetMouseButtonCallback(window, OnButton);
        glfwSetCursorPosCallback(window, OnCursor);
        std::cerr << "flyer-sim: keys: " << keys << ", Esc quit\n";

        // Without --duration the preview stays open at the end of the flight
        // until it is closed; a screenshot is taken at 2 s unless told otherwise.
        const double end = opts.duration.value_or(opts.screenshot.empty() ? INFINITY : 2.0);
        const auto frame = std::chrono::duration<double>(1.0 / opts.fps);
        auto last = std::chrono::steady_clock::now();
        double t = 0;
        if (std::isfinite(end)) WarnOfLateEvents(in.events, end);
        while (!glfwWindowShouldClose(window) && !Interrupted()) {
            session.frame(t);
            if (t >= end) {
                if (!opts.screenshot.empty()) {
                    WritePng(opts.screenshot, session.capture());
                    std::cout << "flyer-sim: wrote " << opts.screenshot << " (t=" << t << " s)\n";
                }
                break;
            }
            glfwSwapBuffers(window);
            glfwPollEvents();
            std::this_thread::sleep_until(last + frame);
            auto now = std::chrono::steady_clock::now();
            if (!p.paused) t = std::min(end, t + std::chrono::duration<double>(now - last).count());
            last = now;
        }
        glfwSetWindowUserPointer(window, nullptr);
        code = ReportFailures(session.finish());
    }
    glfwDestroyWindow(window);
    return code;
}

}  // namespace sim
