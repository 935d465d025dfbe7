#include "PanelSteps.h"

#include <cmath>
#include <sstream>

#include "PanelGeometry.h"

namespace soak {

const std::vector<float> &Scales()
{
    static const std::vector<float> steps = [] {
        std::vector<float> s{1.0f};
        for (float up = 1.0f; !(up >= 2.0f);) s.push_back(up += 0.2f);
        for (float down = 1.0f; down > 0.6f;) s.push_back(down -= 0.2f);
        return s;
    }();
    return steps;
}

const std::vector<float> &Alphas()
{
    static const std::vector<float> steps = [] {
        std::vector<float> s{1.0f};
        for (float a = 1.0f - 0.1f; a > 0.2f; a -= 0.1f) s.push_back(a);
        return s;
    }();
    return steps;
}

namespace {

// Some integer origin o with trunc(o * s) == edge.
bool OnGrid(int edge, float s)
{
    const double guess = std::trunc(edge / double(s));
    for (double o = guess - 2; o <= guess + 2; ++o)
        if (int(float(o) * s) == edge) return true;
    return false;
}

}  // namespace

std::string CheckWindowRect(const host::Rect &r, bool onGrid)
{
    if (r == host::Rect{1, 1, 1, 1}) return {};
    for (float s : Scales())
        for (const PanelSize &size : {GA_PANEL, GLASS_PANEL})
            if (r.width() == int(float(size.w) * s) && r.height() == int(float(size.h) * s) &&
                (!onGrid || (OnGrid(r.left, s) && OnGrid(r.bottom, s))))
                return {};
    return "window " + host::ToString(r) + " is neither collapsed nor a scaled panel rectangle";
}

std::string CheckFrame(const rgl::RecordingGL &gl, bool tinted)
{
    std::ostringstream why;
    for (const std::string &e : gl.errors()) why << "GL misuse: " << e << "; ";
    if (gl.depth() != gl.startDepth()) why << "matrix depth " << gl.depth() << " at the end; ";
    if (gl.inBegin()) why << "frame ends inside glBegin; ";
    float alpha = -1;
    for (const rgl::Primitive &p : gl.primitives()) {
        for (const rgl::Vertex &v : p.vertices)
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.sx) ||
                !std::isfinite(v.sy) || !std::isfinite(v.u) || !std::isfinite(v.v)) {
                why << "vertex (" << v.x << ", " << v.y << ") -> (" << v.sx << ", " << v.sy
                    << ") texel (" << v.u << ", " << v.v << "); ";
                break;
            }
        if (!tinted) continue;
        if (alpha < 0) alpha = p.color.a;
        bool step = false;
        for (float a : Alphas()) step = step || std::fabs(p.color.a - a) < 1e-6f;
        if (!step || p.color.a != alpha) why << "alpha " << p.color.a << " (first " << alpha << "); ";
    }
    return why.str();
}

}  // namespace soak
