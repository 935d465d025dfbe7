#ifndef OSTREL_HOST_EGLDISPLAYS_H
#define OSTREL_HOST_EGLDISPLAYS_H
// The EGL display the offscreen context (OffscreenGL.cpp) is made on, by
// the renderer asked for: a graphics card among the devices of EGL's device
// platform (EGL_EXT_device_enumeration, EGL_EXT_platform_device), which
// NVIDIA's, AMD's and Intel's drivers offer through libglvnd, or Mesa's
// software rasterizer through its surfaceless platform.

#include <EGL/egl.h>

#include <string>

#include "host/Renderer.h"

namespace host {

// An initialised display bound to desktop OpenGL with a config for it;
// `platform` says which it is ("EGL's device platform, device 0 of 2
// (/dev/dri/renderD128)"), for Auto without a card also why none was taken.
// Throws OffscreenGLError saying what was looked for.
EGLDisplay OpenEglDisplay(Renderer asked, std::string &platform);

// "<what> failed (EGL error 0x300c)", from eglGetError().
std::string EglError(const char *what);

}  // namespace host

#endif
