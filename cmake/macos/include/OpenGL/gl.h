/* Stands in for the header of Apple's OpenGL framework, which is not on these
   machines: Mesa's <GL/gl.h> (Debian's libgl-dev) declares the same OpenGL 1.x
   functions, constants and types, with the sizes macOS gives them. Only that
   file is read (GL_GLEXT_LEGACY), so no other Linux header reaches the build. */
#ifndef OSTREL_MACOS_OPENGL_GL_H
#define OSTREL_MACOS_OPENGL_GL_H
#define GL_GLEXT_LEGACY 1
#include "/usr/include/GL/gl.h"
#endif
