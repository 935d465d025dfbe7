#ifndef OSTREL_HOST_FRAMEBUFFER_H
#define OSTREL_HOST_FRAMEBUFFER_H
// A colour and depth-stencil framebuffer object for the offscreen contexts
// that have no drawable surface of their own.

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif
#include <GL/gl.h>

namespace host {

struct Framebuffer {
    GLuint fbo = 0, colour = 0, depth = 0;
};

// Creates and binds a width x height RGBA8 + depth24/stencil8 framebuffer in
// the current context; 'lookup' finds GL entry points by name. False when
// the context lacks framebuffer objects.
bool MakeFramebuffer(int width, int height, void *(*lookup)(const char *), Framebuffer &out);

}  // namespace host

#endif
