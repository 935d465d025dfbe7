#ifndef OSTREL_PLUGIN_GL_H
#define OSTREL_PLUGIN_GL_H
// OpenGL 1.x, where each platform keeps its header. macOS marks the whole of
// OpenGL deprecated, yet the simulator's plug-in windows still draw with it.

#if defined(__APPLE__)
#  define GL_SILENCE_DEPRECATION 1
#  include <OpenGL/gl.h>
#else
#  include <GL/gl.h>
#endif

#endif
