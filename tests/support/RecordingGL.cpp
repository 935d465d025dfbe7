// The recording OpenGL: the gl* entry points the plug-in imports, exported
// from the test executable, and the state they track. RecordingGL::instance()
// lives in this file so every test that uses the recorder also carries all
// the entry points.

#include "RecordingGL.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace rgl {

// ---- Primitive views

bool Primitive::enabled(GLenum cap) const
{
    auto it = caps.find(cap);
    return it != caps.end() && it->second;
}

PanelRect Primitive::panel() const
{
    if (vertices.size() != 4) return {};
    const Vertex &ll = vertices[1], &ur = vertices[3];
    return {ll.x, ll.y, ur.x - ll.x, ur.y - ll.y};
}

TexelRect Primitive::texels() const
{
    if (vertices.size() != 4) return {};
    const Vertex &ll = vertices[1], &ur = vertices[3];
    return {ll.tu(), ll.tv(), ur.tu(), ur.tv()};
}

// Smallest box holding every vertex, by the coordinates `x` and `y` select.
static Box BoxOf(const std::vector<Vertex> &vertices, double Vertex::*x, double Vertex::*y)
{
    Box b{1e300, 1e300, -1e300, -1e300};
    for (const Vertex &v : vertices) {
        b.x0 = std::min(b.x0, v.*x), b.y0 = std::min(b.y0, v.*y);
        b.x1 = std::max(b.x1, v.*x), b.y1 = std::max(b.y1, v.*y);
    }
    return b;
}

Box Primitive::bounds() const
{
    return BoxOf(vertices, &Vertex::x, &Vertex::y);
}

Box Primitive::screen() const
{
    return BoxOf(vertices, &Vertex::sx, &Vertex::sy);
}

TexelRect Primitive::texelBounds() const
{
    TexelRect t{1e30f, 1e30f, -1e30f, -1e30f};
    for (const Vertex &v : vertices) {
        t.u0 = std::min(t.u0, v.tu()), t.v0 = std::min(t.v0, v.tv());
        t.u1 = std::max(t.u1, v.tu()), t.v1 = std::max(t.v1, v.tv());
    }
    return t;
}

bool Primitive::isSprite() const
{
    if (vertices.size() != 4) return false;
    const Vertex &a = vertices[0], &b = vertices[1], &c = vertices[2], &d = vertices[3];
    return a.x == d.x && a.y == b.y && b.x == c.x && c.y == d.y && a.u == d.u && a.v == b.v &&
           b.u == c.u && c.v == d.v;
}

std::string ToString(const TexelRect &t)
{
    std::ostringstream s;
    s << "texels (" << t.u0 << ", " << t.v0 << ")-(" << t.u1 << ", " << t.v1 << ")";
    return s.str();
}

std::string ToString(const PanelRect &p)
{
    std::ostringstream s;
    s << "at (" << p.x << ", " << p.y << ") size " << p.w << " x " << p.h;
    return s.str();
}

// ---- Recorder

RecordingGL &RecordingGL::instance()
{
    static RecordingGL gl;
    return gl;
}

static RecordingGL &R()
{
    return RecordingGL::instance();
}

void RecordingGL::reset()
{
    caps_.clear();
    color_ = {};
    u_ = v_ = 0;
    Mat identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    modelview_.assign(1, identity);
    projection_.assign(1, identity);
    matrixMode_ = GL_MODELVIEW;
    bound_ = 0;
    blendSrc_ = GL_ONE;
    blendDst_ = GL_ZERO;
    lineWidth_ = 1.0f;
    hints_.clear();
    box_.reset();
    nextTexture_ = 1;
    generated_.clear();
    images_.clear();
    deleted_.clear();
    unpackAlignment_ = 4;
    pendingError_ = GL_NO_ERROR;
    attribs_.clear();
    current_.reset();
    errors_.clear();
    beginFrame();
}

void RecordingGL::beginFrame()
{
    calls_.clear();
    prims_.clear();
    scissors_.clear();
    bindLog_.clear();
    capsAtStart_ = caps_;
    startDepth_ = maxDepth_ = minDepth_ = depth();
}

std::vector<Call> RecordingGL::callsTo(const std::string &name) const
{
    std::vector<Call> out;
    for (const Call &c : calls_)
        if (c.name == name) out.push_back(c);
    return out;
}

int RecordingGL::count(const std::string &name) const
{
    return int(std::count_if(calls_.begin(), calls_.end(),
                             [&](const Call &c) { return c.name == name; }));
}

std::vector<std::string> RecordingGL::names() const
{
    std::vector<std::string> out;
    for (const Call &c : calls_) out.push_back(c.name);
    return out;
}

std::vector<Primitive> RecordingGL::primitives(GLenum mode) const
{
    std::vector<Primitive> out;
    for (const Primitive &p : prims_)
        if (p.mode == mode) out.push_back(p);
    return out;
}

std::vector<Primitive> RecordingGL::showingTexels(const TexelRect &t) const
{
    std::vector<Primitive> out;
    for (const Primitive &p : prims_)
        if (p.mode == GL_QUADS && p.texels() == t) out.push_back(p);
    return out;
}

std::vector<unsigned> RecordingGL::binds() const
{
    return bindLog_;
}

bool RecordingGL::enabled(GLenum cap) const
{
    auto it = caps_.find(cap);
    return it != caps_.end() && it->second;
}

bool RecordingGL::enabledAtStart(GLenum cap) const
{
    auto it = capsAtStart_.find(cap);
    return it != capsAtStart_.end() && it->second;
}

std::optional<GLenum> RecordingGL::hint(GLenum target) const
{
    auto it = hints_.find(target);
    if (it == hints_.end()) return std::nullopt;
    return it->second;
}

void RecordingGL::record(const char *name, std::initializer_list<double> args)
{
    calls_.push_back({name, std::vector<double>(args)});
}

std::vector<std::string> RecordingGL::takeErrors()
{
    std::vector<std::string> e;
    e.swap(errors_);
    return e;
}

void RecordingGL::error(const std::string &e)
{
    errors_.push_back(e);
}

void RecordingGL::begin(GLenum mode)
{
    if (current_) {
        error("glBegin inside glBegin");
        return;
    }
    Primitive p;
    p.mode = mode;
    p.color = color_;
    p.texture = bound_;
    p.depth = depth();
    p.lineWidth = lineWidth_;
    p.caps = caps_;
    if (enabled(GL_SCISSOR_TEST)) p.scissor = box_.value_or(Scissor{});
    p.callIndex = calls_.size() - 1;
    current_ = std::move(p);
}

void RecordingGL::end()
{
    if (!current_) {
        error("glEnd without glBegin");
        return;
    }
    Primitive &p = *current_;
    size_t n = p.vertices.size();
    if ((p.mode == GL_QUADS && n % 4 != 0) || (p.mode == GL_LINES && n % 2 != 0) || n == 0)
        error("glEnd: primitive with " + std::to_string(n) + " vertices");
    prims_.push_back(std::move(p));
    current_.reset();
}

void RecordingGL::vertex(double x, double y)
{
    if (!current_) {
        error("glVertex outside glBegin / glEnd");
        return;
    }
    const double *m = modelview_.back().m;
    Vertex v;
    v.x = x;
    v.y = y;
    v.sx = m[0] * x + m[4] * y + m[12];
    v.sy = m[1] * x + m[5] * y + m[13];
    v.u = u_;
    v.v = v_;
    v.color = color_;
    current_->vertices.push_back(v);
}

std::vector<RecordingGL::Mat> &RecordingGL::stack()
{
    return matrixMode_ == GL_PROJECTION ? projection_ : modelview_;
}

void RecordingGL::push()
{
    if (current_) error("glPushMatrix inside glBegin");
    stack().push_back(stack().back());
    maxDepth_ = std::max(maxDepth_, depth());
}

void RecordingGL::pop()
{
    if (current_) error("glPopMatrix inside glBegin");
    if (stack().size() <= 1) {
        error("glPopMatrix: stack underflow");
        minDepth_ = std::min(minDepth_, -1);
        return;
    }
    stack().pop_back();
    minDepth_ = std::min(minDepth_, depth());
}

void RecordingGL::multiply(const double b[16])
{
    if (current_) error("matrix change inside glBegin");
    double *a = stack().back().m;
    double r[16];
    for (int c = 0; c < 4; c++)
        for (int row = 0; row < 4; row++) {
            double s = 0;
            for (int k = 0; k < 4; k++) s += a[k * 4 + row] * b[c * 4 + k];
            r[c * 4 + row] = s;
        }
    std::copy(r, r + 16, a);
}

void RecordingGL::loadIdentity()
{
    Mat identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    stack().back() = identity;
}

void RecordingGL::scissor(int x, int y, int w, int h)
{
    if (w < 0 || h < 0) error("glScissor: negative size");
    box_ = Scissor{x, y, w, h};
    scissors_.push_back(*box_);
}

void RecordingGL::genTextures(int n, GLuint *out)
{
    for (int i = 0; i < n; i++) {
        out[i] = nextTexture_++;
        generated_.push_back(out[i]);
    }
}

void RecordingGL::bindTexture(GLenum target, unsigned name)
{
    if (target != GL_TEXTURE_2D) error("glBindTexture: target other than GL_TEXTURE_2D");
    if (name != 0 && std::find(generated_.begin(), generated_.end(), name) == generated_.end())
        error("bind of texture name " + std::to_string(name) + " that was never generated");
    bound_ = name;
    bindLog_.push_back(name);
}

void RecordingGL::texImage(const TextureImage &img)
{
    if (bound_ == 0) error("glTexImage2D with no texture bound");
    TextureImage t = img;
    t.name = bound_;
    for (TextureImage &old : images_)
        if (old.name == t.name && old.level == t.level) {
            t.params = old.params;
            old = t;
            return;
        }
    images_.push_back(t);
}

std::vector<unsigned> RecordingGL::liveTextures() const
{
    std::vector<unsigned> out;
    for (unsigned n : generated_)
        if (std::find(deleted_.begin(), deleted_.end(), n) == deleted_.end()) out.push_back(n);
    return out;
}

void RecordingGL::deleteTexture(unsigned name)
{
    if (name == 0) return;
    if (std::find(generated_.begin(), generated_.end(), name) == generated_.end() ||
        std::find(deleted_.begin(), deleted_.end(), name) != deleted_.end()) {
        error("glDeleteTextures of texture name " + std::to_string(name) + " that is not alive");
        return;
    }
    deleted_.push_back(name);
    images_.erase(std::remove_if(images_.begin(), images_.end(),
                                 [&](const TextureImage &t) { return t.name == name; }),
                  images_.end());
    if (bound_ == name) bound_ = 0;
}

void RecordingGL::setUnpackAlignment(int a)
{
    if (a != 1 && a != 2 && a != 4 && a != 8) {
        raise(GL_INVALID_VALUE);
        return;
    }
    unpackAlignment_ = a;
}

// Line and hint state only: what the panels may change that the simulator's
// graphics state calls do not manage.
void RecordingGL::pushAttrib(GLbitfield mask)
{
    if (mask & ~GLbitfield(GL_LINE_BIT | GL_HINT_BIT))
        error("glPushAttrib of bits the recorder does not keep");
    attribs_.push_back({mask, caps_, lineWidth_, hints_});
}

void RecordingGL::popAttrib()
{
    if (attribs_.empty()) {
        raise(GL_STACK_UNDERFLOW);
        error("glPopAttrib with an empty attribute stack");
        return;
    }
    const Attrib a = attribs_.back();
    attribs_.pop_back();
    if (a.mask & GL_LINE_BIT) {
        for (GLenum cap : {GLenum(GL_LINE_SMOOTH), GLenum(GL_LINE_STIPPLE)}) {
            auto it = a.caps.find(cap);
            caps_[cap] = it != a.caps.end() && it->second;
        }
        lineWidth_ = a.lineWidth;
    }
    if (a.mask & GL_HINT_BIT) hints_ = a.hints;
}

void RecordingGL::raise(GLenum e)
{
    if (pendingError_ == GL_NO_ERROR) pendingError_ = e;
}

GLenum RecordingGL::takeError()
{
    GLenum e = pendingError_;
    pendingError_ = GL_NO_ERROR;
    return e;
}

void RecordingGL::texParameter(GLenum pname, int value)
{
    for (TextureImage &t : images_)
        if (t.name == bound_) {
            t.params[pname] = value;
            return;
        }
    // Parameters before the image: keep them on a placeholder record.
    TextureImage t;
    t.name = bound_;
    t.params[pname] = value;
    images_.push_back(t);
}

// The host's graphics calls, as the simulator applies them to its context.
class RecordingBackend : public host::GraphicsBackend {
public:
    void setGraphicsState(const host::GraphicsState &s) override
    {
        RecordingGL &gl = R();
        gl.record("XPLMSetGraphicsState", {double(s.fog), double(s.textureUnits),
                                          double(s.lighting), double(s.alphaTesting),
                                          double(s.alphaBlending), double(s.depthTesting),
                                          double(s.depthWriting)});
        gl.setCap(GL_FOG, s.fog != 0);
        gl.setCap(GL_TEXTURE_2D, s.textureUnits > 0);
        gl.setCap(GL_LIGHTING, s.lighting != 0);
        gl.setCap(GL_ALPHA_TEST, s.alphaTesting != 0);
        gl.setCap(GL_BLEND, s.alphaBlending != 0);
        gl.setCap(GL_DEPTH_TEST, s.depthTesting != 0);
    }
    void bindTexture2d(int texture, int unit) override
    {
        RecordingGL &gl = R();
        gl.record("XPLMBindTexture2d", {double(texture), double(unit)});
        if (unit != 0) {
            gl.error("XPLMBindTexture2d on texture unit " + std::to_string(unit));
            return;
        }
        gl.bindTexture(GL_TEXTURE_2D, unsigned(texture));
    }
};

host::GraphicsBackend *RecordingGL::backend()
{
    static RecordingBackend b;
    return &b;
}

}  // namespace rgl

// ---- The entry points

using rgl::R;

static void Translate(double x, double y, double z)
{
    const double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
    R().multiply(m);
}

static void Scale(double x, double y, double z)
{
    const double m[16] = {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
    R().multiply(m);
}

static void Rotate(double angle, double x, double y, double z)
{
    double len = std::sqrt(x * x + y * y + z * z);
    if (len == 0) return;
    x /= len, y /= len, z /= len;
    double a = angle * M_PI / 180.0, c = std::cos(a), s = std::sin(a), t = 1 - c;
    const double m[16] = {t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
                          t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
                          t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
                          0,                 0,                 0,                 1};
    R().multiply(m);
}

extern "C" {

void glBegin(GLenum mode)
{
    R().record("glBegin", {double(mode)});
    R().begin(mode);
}

void glEnd(void)
{
    R().record("glEnd", {});
    R().end();
}

void glVertex2f(GLfloat x, GLfloat y)
{
    R().record("glVertex2f", {x, y});
    R().vertex(x, y);
}

void glVertex2d(GLdouble x, GLdouble y)
{
    R().record("glVertex2d", {x, y});
    R().vertex(x, y);
}

void glVertex2i(GLint x, GLint y)
{
    R().record("glVertex2i", {double(x), double(y)});
    R().vertex(x, y);
}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    R().record("glTexCoord2f", {s, t});
    R().texCoord(s, t);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    R().record("glColor4f", {r, g, b, a});
    R().setColor({r, g, b, a});
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    R().record("glColor3f", {r, g, b});
    R().setColor({r, g, b, 1.0f});
}

void glPushMatrix(void)
{
    R().record("glPushMatrix", {});
    R().push();
}

void glPopMatrix(void)
{
    R().record("glPopMatrix", {});
    R().pop();
}

void glLoadIdentity(void)
{
    R().record("glLoadIdentity", {});
    R().loadIdentity();
}

void glMatrixMode(GLenum mode)
{
    R().record("glMatrixMode", {double(mode)});
    R().matrixMode(mode);
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z)
{
    R().record("glTranslated", {x, y, z});
    Translate(x, y, z);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    R().record("glTranslatef", {x, y, z});
    Translate(x, y, z);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    R().record("glRotatef", {angle, x, y, z});
    Rotate(angle, x, y, z);
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z)
{
    R().record("glRotated", {angle, x, y, z});
    Rotate(angle, x, y, z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    R().record("glScalef", {x, y, z});
    Scale(x, y, z);
}

void glScaled(GLdouble x, GLdouble y, GLdouble z)
{
    R().record("glScaled", {x, y, z});
    Scale(x, y, z);
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    R().record("glScissor", {double(x), double(y), double(width), double(height)});
    R().scissor(x, y, width, height);
}

void glEnable(GLenum cap)
{
    R().record("glEnable", {double(cap)});
    if (R().inBegin()) R().error("glEnable inside glBegin");
    R().setCap(cap, true);
}

void glDisable(GLenum cap)
{
    R().record("glDisable", {double(cap)});
    if (R().inBegin()) R().error("glDisable inside glBegin");
    R().setCap(cap, false);
}

GLboolean glIsEnabled(GLenum cap)
{
    R().record("glIsEnabled", {double(cap)});
    return R().enabled(cap) ? GL_TRUE : GL_FALSE;
}

void glBlendFunc(GLenum sfactor, GLenum dfactor)
{
    R().record("glBlendFunc", {double(sfactor), double(dfactor)});
    R().blendFunc(sfactor, dfactor);
}

void glHint(GLenum target, GLenum mode)
{
    R().record("glHint", {double(target), double(mode)});
    R().setHint(target, mode);
}

void glLineWidth(GLfloat width)
{
    R().record("glLineWidth", {width});
    if (R().inBegin()) R().error("glLineWidth inside glBegin");
    R().setLineWidth(width);
}

void glGenTextures(GLsizei n, GLuint *textures)
{
    R().record("glGenTextures", {double(n)});
    R().genTextures(n, textures);
}

void glBindTexture(GLenum target, GLuint texture)
{
    R().record("glBindTexture", {double(target), double(texture)});
    R().bindTexture(target, texture);
}

void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width,
                  GLsizei height, GLint border, GLenum format, GLenum type, const GLvoid *pixels)
{
    R().record("glTexImage2D", {double(target), double(level), double(internalformat),
                                double(width), double(height), double(border), double(format),
                                double(type)});
    rgl::TextureImage img;
    img.level = level;
    img.internalFormat = internalformat;
    img.width = width;
    img.height = height;
    img.border = border;
    img.format = format;
    img.type = type;
    img.hasData = pixels != nullptr;
    img.unpackAlignment = R().unpackAlignment();
    if (width < 0 || height < 0 || width > rgl::kMaxTextureSize || height > rgl::kMaxTextureSize) {
        R().raise(GL_INVALID_VALUE);
        return;
    }
    R().texImage(img);
}

void glDeleteTextures(GLsizei n, const GLuint *textures)
{
    R().record("glDeleteTextures", {double(n)});
    for (GLsizei i = 0; i < n; i++) R().deleteTexture(textures[i]);
}

void glPixelStorei(GLenum pname, GLint param)
{
    R().record("glPixelStorei", {double(pname), double(param)});
    if (pname == GL_UNPACK_ALIGNMENT)
        R().setUnpackAlignment(param);
    else
        R().error("glPixelStorei of a parameter the recorder does not keep");
}

void glGetIntegerv(GLenum pname, GLint *data)
{
    R().record("glGetIntegerv", {double(pname)});
    if (pname == GL_UNPACK_ALIGNMENT)
        *data = R().unpackAlignment();
    else if (pname == GL_MAX_TEXTURE_SIZE)
        *data = rgl::kMaxTextureSize;
    else
        R().error("glGetIntegerv of a parameter the recorder does not keep");
}

void glPushAttrib(GLbitfield mask)
{
    R().record("glPushAttrib", {double(mask)});
    R().pushAttrib(mask);
}

void glPopAttrib(void)
{
    R().record("glPopAttrib", {});
    R().popAttrib();
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    R().record("glTexParameteri", {double(target), double(pname), double(param)});
    R().texParameter(pname, param);
}

GLenum glGetError(void)
{
    R().record("glGetError", {});
    return R().takeError();
}

}  // extern "C"
