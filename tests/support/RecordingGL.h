#ifndef OSTREL_TESTS_RECORDINGGL_H
#define OSTREL_TESTS_RECORDINGGL_H
// RecordingGL: the OpenGL the dlopen'ed plug-in resolves to in a recording
// test. The gl* entry points the plug-in imports are defined in
// RecordingGL.cpp and exported from the test executable (ENABLE_EXPORTS), so
// the plug-in's calls land here instead of in libGL; a recording test never
// links libGL. Nothing is drawn: every call is recorded and the fixed-function
// state it changes is tracked (enables, current colour and texture
// coordinate, the modelview stack, the bound texture, scissor box, blend
// function, line width, hints, unpack alignment, the attribute stack for
// line and hint state, generated and deleted textures, and GL errors: an
// image larger than kMaxTextureSize raises GL_INVALID_VALUE, as a real GL
// does past its limit).
//
// Use it through RecordingHarness (RecordingHarness.h), which routes the
// host's XPLMSetGraphicsState and XPLMBindTexture2d here too, and starts a new
// frame on every drawFrame():
//
//   RecordingHarness h;                       // synthetic texture, view 1017
//   h.start();
//   h.setElapsed(5.0f);                       // splash time
//   const RecordingGL &gl = h.drawFrame();    // clears, then runs the draw callback
//   auto quads = gl.quads();                  // GL_QUADS primitives in call order
//   quads[0].texels()   -> {u0, v0, u1, v1} in atlas texels (texcoord x 1024)
//   quads[0].panel()    -> {x, y, w, h} as passed to glVertex (panel units, XO/YO included)
//   quads[0].screen()   -> bounding box after the modelview (screen units)
//   quads[0].color, quads[0].texture, quads[0].depth, quads[0].scissor,
//   quads[0].enabled(GL_BLEND)
//   gl.showing(ATLAS_SPLASH)                  // quads whose texels() equal an atlas rect
//   gl.count("glEnable"), gl.callsTo("glScissor"), gl.names()
//   gl.enabled(GL_TEXTURE_2D), gl.enabledAtStart(GL_BLEND), gl.depth(), gl.maxDepth()
//   gl.errors()                               // misuse: glVertex outside glBegin, stack underflow ...
//
// Geometry of a quad, for the four vertices in the sprite's corner order
// (lower right, lower left, upper left, upper right): panel() takes (x, y)
// from the second vertex and (w, h) from the fourth minus the second;
// texels() takes (u0, v0) from the second vertex and (u1, v1) from the
// fourth, so mirrored sprites show u0 > u1 or v0 > v1. bounds(), screen() and
// texelBounds() are plain min/max boxes for any primitive. Matrix depth counts
// pushes outstanding on the modelview stack: 0 at a fresh start.

#include <GL/gl.h>

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"

namespace rgl {

struct Color {
    float r = 1, g = 1, b = 1, a = 1;
    bool operator==(const Color &o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

struct Vertex {
    double x = 0, y = 0;    // as passed: panel units (or splash pixels)
    double sx = 0, sy = 0;  // after the current modelview: screen units
    float u = 0, v = 0;     // texture coordinate as passed
    Color color;            // colour current at this vertex
    float tu() const { return u * 1024.0f; }  // in atlas texels
    float tv() const { return v * 1024.0f; }
};

struct TexelRect {
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    bool operator==(const TexelRect &o) const
    {
        return u0 == o.u0 && v0 == o.v0 && u1 == o.u1 && v1 == o.v1;
    }
};

struct PanelRect {
    double x = 0, y = 0, w = 0, h = 0;
    bool operator==(const PanelRect &o) const
    {
        return x == o.x && y == o.y && w == o.w && h == o.h;
    }
};

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // min and max corners
};

struct Scissor {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Scissor &o) const
    {
        return x == o.x && y == o.y && w == o.w && h == o.h;
    }
};

struct Primitive {
    GLenum mode = 0;
    std::vector<Vertex> vertices;
    Color color;                     // colour current at glBegin
    unsigned texture = 0;            // texture bound on unit 0 at glBegin
    int depth = 0;                   // modelview pushes outstanding at glBegin
    float lineWidth = 1.0f;
    std::optional<Scissor> scissor;  // the box, when GL_SCISSOR_TEST is on
    std::map<GLenum, bool> caps;     // enable state at glBegin
    size_t callIndex = 0;            // index of its glBegin in calls()

    bool enabled(GLenum cap) const;
    bool textured() const { return enabled(GL_TEXTURE_2D); }
    PanelRect panel() const;     // sprite corner order, see above
    TexelRect texels() const;    // sprite corner order, in texels
    Box bounds() const;          // of the vertices as passed
    Box screen() const;          // of the transformed vertices
    TexelRect texelBounds() const;  // min / max texels
    // The four vertices follow the sprite's corner order and form an
    // axis-aligned rectangle in passed coordinates.
    bool isSprite() const;
};

struct Call {
    std::string name;
    std::vector<double> args;
};

struct TextureImage {
    unsigned name = 0;
    int level = 0, internalFormat = 0, width = 0, height = 0, border = 0;
    GLenum format = 0, type = 0;
    bool hasData = false;
    int unpackAlignment = 4;       // GL_UNPACK_ALIGNMENT at the upload
    std::map<GLenum, int> params;  // glTexParameteri
};

// The largest texture side the recorder accepts.
constexpr int kMaxTextureSize = 16384;

class RecordingGL {
public:
    static RecordingGL &instance();

    // Fresh context: everything recorded and all state back to GL defaults.
    void reset();
    // Starts a new frame: forgets calls and primitives, keeps the state (as
    // a real context does between frames) and the errors.
    void beginFrame();

    // ---- The frame's record
    const std::vector<Call> &calls() const { return calls_; }
    std::vector<Call> callsTo(const std::string &name) const;
    int count(const std::string &name) const;
    std::vector<std::string> names() const;  // call names in order
    const std::vector<Primitive> &primitives() const { return prims_; }
    std::vector<Primitive> primitives(GLenum mode) const;
    std::vector<Primitive> quads() const { return primitives(GL_QUADS); }
    std::vector<Primitive> lines() const { return primitives(GL_LINES); }
    // Quads whose texels() equal the rectangle; R has int or float u0 v0 u1 v1
    // (an AtlasRect, a TexelRect).
    template <typename R>
    std::vector<Primitive> showing(const R &r) const
    {
        return showingTexels({float(r.u0), float(r.v0), float(r.u1), float(r.v1)});
    }
    std::vector<Primitive> showingTexels(const TexelRect &t) const;
    const std::vector<Scissor> &scissors() const { return scissors_; }  // glScissor boxes
    std::vector<unsigned> binds() const;  // texture names bound, by either route, in order
    const std::vector<std::string> &errors() const { return errors_; }  // since reset()
    std::vector<std::string> takeErrors();  // returns and clears

    // ---- Matrix depth over the frame
    int depth() const { return int(modelview_.size()) - 1; }
    int startDepth() const { return startDepth_; }
    int maxDepth() const { return maxDepth_; }
    int minDepth() const { return minDepth_; }

    // ---- Current state
    bool enabled(GLenum cap) const;
    bool enabledAtStart(GLenum cap) const;   // at beginFrame()
    std::map<GLenum, bool> caps() const { return caps_; }
    Color color() const { return color_; }
    unsigned boundTexture() const { return bound_; }
    GLenum blendSrc() const { return blendSrc_; }
    GLenum blendDst() const { return blendDst_; }
    float lineWidth() const { return lineWidth_; }
    std::optional<GLenum> hint(GLenum target) const;
    const std::vector<unsigned> &generatedTextures() const { return generated_; }
    std::vector<unsigned> liveTextures() const;  // generated and not deleted
    int unpackAlignment() const { return unpackAlignment_; }
    int attribDepth() const { return int(attribs_.size()); }
    const std::vector<TextureImage> &textureImages() const { return images_; }

    // ---- Entry for the host's graphics calls (RecordingHarness installs it)
    host::GraphicsBackend *backend();

    // ---- Used by the gl* definitions
    void record(const char *name, std::initializer_list<double> args);
    void error(const std::string &e);
    void begin(GLenum mode);
    void end();
    void vertex(double x, double y);
    void texCoord(float u, float v) { u_ = u, v_ = v; }
    void setColor(Color c) { color_ = c; }
    void setCap(GLenum cap, bool on) { caps_[cap] = on; }
    void push();
    void pop();
    void multiply(const double m[16]);
    void loadIdentity();
    void matrixMode(GLenum mode) { matrixMode_ = mode; }
    void scissor(int x, int y, int w, int h);
    void blendFunc(GLenum s, GLenum d) { blendSrc_ = s, blendDst_ = d; }
    void setHint(GLenum target, GLenum mode) { hints_[target] = mode; }
    void setLineWidth(float w) { lineWidth_ = w; }
    void genTextures(int n, GLuint *out);
    void bindTexture(GLenum target, unsigned name);
    void texImage(const TextureImage &img);
    void texParameter(GLenum pname, int value);
    void deleteTexture(unsigned name);
    void setUnpackAlignment(int a);
    void pushAttrib(GLbitfield mask);
    void popAttrib();
    void raise(GLenum e);  // the next glGetError returns it
    GLenum takeError();
    bool inBegin() const { return current_.has_value(); }

private:
    RecordingGL() { reset(); }
    struct Mat {
        double m[16];
    };
    std::vector<Mat> &stack();

    std::vector<Call> calls_;
    std::vector<Primitive> prims_;
    std::vector<Scissor> scissors_;
    std::vector<std::string> errors_;
    std::optional<Primitive> current_;
    std::map<GLenum, bool> caps_, capsAtStart_;
    Color color_;
    float u_ = 0, v_ = 0;
    std::vector<Mat> modelview_, projection_;
    GLenum matrixMode_ = GL_MODELVIEW;
    int startDepth_ = 0, maxDepth_ = 0, minDepth_ = 0;
    unsigned bound_ = 0;
    std::vector<unsigned> bindLog_;
    GLenum blendSrc_ = GL_ONE, blendDst_ = GL_ZERO;
    float lineWidth_ = 1.0f;
    std::map<GLenum, GLenum> hints_;
    std::optional<Scissor> box_;
    unsigned nextTexture_ = 1;
    std::vector<unsigned> generated_;
    std::vector<TextureImage> images_;
    std::vector<unsigned> deleted_;
    int unpackAlignment_ = 4;
    GLenum pendingError_ = GL_NO_ERROR;
    struct Attrib {
        GLbitfield mask;
        std::map<GLenum, bool> caps;
        float lineWidth;
        std::map<GLenum, GLenum> hints;
    };
    std::vector<Attrib> attribs_;
};

std::string ToString(const TexelRect &t);
std::string ToString(const PanelRect &p);

}  // namespace rgl

#endif
