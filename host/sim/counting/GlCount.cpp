// Counting definitions of the gl* functions a plug-in imports; see
// Counting.h. Each forwards to the next definition in the global scope
// (libGL's), except the plug-in's drawing and state calls under a
// NullGlScope.

#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "Counting.h"
#include "ElfSymbols.h"
#include "State.h"

namespace {

void *Next(const char *name)
{
    void *p = dlsym(RTLD_NEXT, name);
    if (!p) {
        std::fprintf(stderr, "flyer-sim: libGL has no %s\n", name);
        std::abort();
    }
    return p;
}

// Queries and name generation answer the caller, so they reach libGL even
// under the null dispatch.
bool Answers(const char *name)
{
    return std::strncmp(name, "glGet", 5) == 0 || std::strncmp(name, "glIs", 4) == 0 ||
           std::strncmp(name, "glGen", 5) == 0;
}

}  // namespace

// X(return type, name, parameters, arguments)
#define OSTREL_GL_FUNCTIONS(X)                                                                    \
    X(void, glBegin, (GLenum mode), (mode))                                                       \
    X(void, glEnd, (void), ())                                                                    \
    X(void, glVertex2f, (GLfloat x, GLfloat y), (x, y))                                           \
    X(void, glVertex2d, (GLdouble x, GLdouble y), (x, y))                                         \
    X(void, glVertex2i, (GLint x, GLint y), (x, y))                                               \
    X(void, glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                             \
    X(void, glVertex2fv, (const GLfloat *v), (v))                                                 \
    X(void, glTexCoord2f, (GLfloat s, GLfloat t), (s, t))                                         \
    X(void, glTexCoord2d, (GLdouble s, GLdouble t), (s, t))                                       \
    X(void, glTexCoord2fv, (const GLfloat *v), (v))                                               \
    X(void, glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b))                              \
    X(void, glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))                \
    X(void, glColor3ub, (GLubyte r, GLubyte g, GLubyte b), (r, g, b))                             \
    X(void, glColor4ub, (GLubyte r, GLubyte g, GLubyte b, GLubyte a), (r, g, b, a))               \
    X(void, glColor3fv, (const GLfloat *v), (v))                                                  \
    X(void, glColor4fv, (const GLfloat *v), (v))                                                  \
    X(void, glRectf, (GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2), (x1, y1, x2, y2))          \
    X(void, glPushMatrix, (void), ())                                                             \
    X(void, glPopMatrix, (void), ())                                                              \
    X(void, glLoadIdentity, (void), ())                                                           \
    X(void, glMatrixMode, (GLenum mode), (mode))                                                  \
    X(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                           \
    X(void, glTranslated, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))                        \
    X(void, glRotatef, (GLfloat a, GLfloat x, GLfloat y, GLfloat z), (a, x, y, z))                \
    X(void, glRotated, (GLdouble a, GLdouble x, GLdouble y, GLdouble z), (a, x, y, z))            \
    X(void, glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                               \
    X(void, glScaled, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))                            \
    X(void, glOrtho, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f),    \
      (l, r, b, t, n, f))                                                                         \
    X(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))                   \
    X(void, glScissor, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))                    \
    X(void, glEnable, (GLenum cap), (cap))                                                        \
    X(void, glDisable, (GLenum cap), (cap))                                                       \
    X(GLboolean, glIsEnabled, (GLenum cap), (cap))                                                \
    X(void, glBlendFunc, (GLenum s, GLenum d), (s, d))                                            \
    X(void, glAlphaFunc, (GLenum f, GLclampf r), (f, r))                                          \
    X(void, glDepthMask, (GLboolean flag), (flag))                                                \
    X(void, glShadeModel, (GLenum mode), (mode))                                                  \
    X(void, glHint, (GLenum target, GLenum mode), (target, mode))                                 \
    X(void, glLineWidth, (GLfloat w), (w))                                                        \
    X(void, glLineStipple, (GLint factor, GLushort pattern), (factor, pattern))                   \
    X(void, glPointSize, (GLfloat s), (s))                                                        \
    X(void, glPolygonMode, (GLenum face, GLenum mode), (face, mode))                              \
    X(void, glPushAttrib, (GLbitfield mask), (mask))                                              \
    X(void, glPopAttrib, (void), ())                                                              \
    X(void, glBindTexture, (GLenum target, GLuint t), (target, t))                                \
    X(void, glTexImage2D,                                                                         \
      (GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h, GLint border,            \
       GLenum format, GLenum type, const GLvoid *pixels),                                         \
      (target, level, internal, w, h, border, format, type, pixels))                              \
    X(void, glTexSubImage2D,                                                                      \
      (GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format,         \
       GLenum type, const GLvoid *pixels),                                                        \
      (target, level, x, y, w, h, format, type, pixels))                                          \
    X(void, glTexParameteri, (GLenum target, GLenum name, GLint v), (target, name, v))            \
    X(void, glTexParameterf, (GLenum target, GLenum name, GLfloat v), (target, name, v))          \
    X(void, glTexEnvi, (GLenum target, GLenum name, GLint v), (target, name, v))                  \
    X(void, glTexEnvf, (GLenum target, GLenum name, GLfloat v), (target, name, v))                \
    X(void, glPixelStorei, (GLenum name, GLint v), (name, v))                                     \
    X(void, glGetIntegerv, (GLenum name, GLint * v), (name, v))                                   \
    X(void, glGetFloatv, (GLenum name, GLfloat * v), (name, v))                                   \
    X(void, glGetDoublev, (GLenum name, GLdouble * v), (name, v))                                 \
    X(void, glGetBooleanv, (GLenum name, GLboolean * v), (name, v))                               \
    X(GLenum, glGetError, (void), ())                                                             \
    X(void, glClear, (GLbitfield mask), (mask))                                                   \
    X(void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), (r, g, b, a))         \
    X(void, glFlush, (void), ())                                                                  \
    X(void, glFinish, (void), ())

#define OSTREL_GL_DEFINE(ret, name, params, args)                                                 \
    extern "C" ret name params                                                                    \
    {                                                                                             \
        using Fn = ret(*) params;                                                                 \
        static Fn next = reinterpret_cast<Fn>(Next(#name));                                       \
        static const bool answers = Answers(#name);                                               \
        if (sim::counting::tl_inPlugin) {                                                       \
            ++sim::counting::g_glCalls;                                                         \
            if (sim::counting::g_nullGl && !answers) return static_cast<ret>(0);                \
        }                                                                                         \
        return next args;                                                                         \
    }
OSTREL_GL_FUNCTIONS(OSTREL_GL_DEFINE)

// Texture names are counted and also kept while the plug-in owns them, for
// the check that it releases them at stop.
extern "C" void glGenTextures(GLsizei n, GLuint *t)
{
    using Fn = void (*)(GLsizei, GLuint *);
    static Fn next = reinterpret_cast<Fn>(Next("glGenTextures"));
    next(n, t);
    if (!sim::counting::tl_inPlugin) return;
    ++sim::counting::g_glCalls;
    for (GLsizei i = 0; i < n; ++i) sim::counting::PluginTextures().insert(t[i]);
}

extern "C" void glDeleteTextures(GLsizei n, const GLuint *t)
{
    using Fn = void (*)(GLsizei, const GLuint *);
    static Fn next = reinterpret_cast<Fn>(Next("glDeleteTextures"));
    next(n, t);
    if (!sim::counting::tl_inPlugin) return;
    ++sim::counting::g_glCalls;
    for (GLsizei i = 0; i < n; ++i) sim::counting::PluginTextures().erase(t[i]);
}

#define OSTREL_GL_NAME(ret, name, params, args) #name,
bool sim::counting::GlCallsCounted()
{
    return true;
}

const std::vector<std::string> &sim::counting::CountedGlFunctions()
{
    static const std::vector<std::string> names = {OSTREL_GL_FUNCTIONS(OSTREL_GL_NAME)
                                                   "glGenTextures", "glDeleteTextures"};
    return names;
}

std::vector<std::string> sim::counting::ImportedGlFunctions(const std::string &plugin)
{
    std::set<std::string> gl;
    for (const ElfSymbol &s : ReadDynamicSymbols(plugin))
        if (!s.defined && s.name.size() > 2 && s.name.compare(0, 2, "gl") == 0 && s.name[2] >= 'A' && s.name[2] <= 'Z')
            gl.insert(s.name);
    return {gl.begin(), gl.end()};
}
