// --window: the flight in real time in a GLFW window. The panel commands are
// bound to keys (press = begin phase, hold = continue, release = end), the
// mouse drags the panel as in the simulator.

#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <link.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <thread>
#include <vector>

#include "Flight.h"
#include "FlightError.h"
#include "Modes.h"
#include "Session.h"

namespace sim {

namespace {

// Listed view types, then two the panel is not shown in.
const int kViews[] = {1014, 1017, 1018, 1020, 1021, 1023, 1024, 1000, 1026};

struct KeyCommand {
    int key;
    const char *command;
};
const KeyCommand kKeys[] = {
    {GLFW_KEY_O, "sim/view/ostrel_flyer_on_off"},   {GLFW_KEY_EQUAL, "sim/view/ostrel_panel_larger"},
    {GLFW_KEY_KP_ADD, "sim/view/ostrel_panel_larger"}, {GLFW_KEY_MINUS, "sim/view/ostrel_panel_smaller"},
    {GLFW_KEY_KP_SUBTRACT, "sim/view/ostrel_panel_smaller"}, {GLFW_KEY_S, "sim/view/ostrel_select"},
    {GLFW_KEY_T, "sim/view/ostrel_transparency"},   {GLFW_KEY_F, "sim/view/ostrel_force_on"},
};
constexpr const char *kHelp =
    "O on/off  = larger  - smaller  S GA/Glass  T transparency  F force on  V view  space pause";

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
    for (const KeyCommand &k : kKeys)
        if (k.key == key) {
            p.session->command(k.command, action == GLFW_PRESS     ? xplm_CommandBegin
                                          : action == GLFW_REPEAT ? xplm_CommandContinue
                                                                  : xplm_CommandEnd);
            return;
        }
    if (action != GLFW_PRESS) return;
    if (key == GLFW_KEY_SPACE) p.paused = !p.paused;
    if (key == GLFW_KEY_ESCAPE) glfwSetWindowShouldClose(w, 1);
    if (key == GLFW_KEY_V) {
        size_t i = 0;
        while (i < std::size(kViews) && kViews[i] != p.session->view()) ++i;
        int next = kViews[(i + 1) % std::size(kViews)];
        p.session->setView(next);
        std::cerr << "flyer-sim: view type " << next << (next == 1000 || next == 1026 ? " (not listed)" : "")
                  << "\n";
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
    Flight flight = LoadFlight(opts.flight);
    for (const std::string &note : flight.notes) std::cerr << "flyer-sim: " << note << "\n";
    std::vector<Event> events;
    if (!opts.eventsFile.empty()) events = LoadEvents(opts.eventsFile);
    events.insert(events.end(), opts.commands.begin(), opts.commands.end());

    Glfw glfw;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    std::string title = "flyer-sim: " + flight.name + "   " + kHelp;
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
        Session session(o, flight, events);
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
        std::cerr << "flyer-sim: keys: " << kHelp << ", Esc quit\n";

        // Without --duration the preview stays open at the end of the flight
        // until it is closed; a screenshot is taken at 2 s unless told otherwise.
        const double end = opts.duration.value_or(opts.screenshot.empty() ? INFINITY : 2.0);
        const auto frame = std::chrono::duration<double>(1.0 / opts.fps);
        auto last = std::chrono::steady_clock::now();
        double t = 0;
        while (!glfwWindowShouldClose(window)) {
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
        code = [&] {
            int c = 0;
            for (const std::string &f : session.finish()) {
                std::cerr << "flyer-sim: check failed: " << f << "\n";
                c = 1;
            }
            return c;
        }();
    }
    glfwDestroyWindow(window);
    return code;
}

}  // namespace sim
