#ifndef OSTREL_TESTS_GLASSFRAME_H
#define OSTREL_TESTS_GLASSFRAME_H
// Reading one recorded Glass frame: the Glass renderer's own sprites picked
// out by the atlas rectangle they show (so the speed bands, tapes and drums
// drawn in between do not disturb the counts), the large-font readout cells,
// and the panel scale and origin the frame was drawn with.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "AtlasRects.h"
#include "RecordingHarness.h"

// A plug-in started and switched to the Glass panel.
class GlassHarness : public RecordingHarness {
public:
    explicit GlassHarness(HarnessOptions o = {}) : RecordingHarness(o)
    {
        EXPECT_EQ(start(), 1);
        press(cmd::Switch);
    }
};

struct GlassSprite {
    std::string name;
    rgl::Primitive quad;
};

// The horizon picture is the one sprite whose rows move with pitch: it is
// known by its columns.
inline bool IsHorizon(const rgl::Primitive &q)
{
    rgl::TexelRect t = q.texels();
    return t.u0 == float(ATLAS_GLASS_HORIZON.u0) && t.u1 == float(ATLAS_GLASS_HORIZON.u1);
}

inline const std::vector<std::pair<std::string, AtlasRect>> &GlassRects()
{
    static const std::vector<std::pair<std::string, AtlasRect>> rects = {
        {"roll pointer", ATLAS_GLASS_ROLL_POINTER},
        {"fd bar", ATLAS_GLASS_FD_BAR},
        {"aircraft fd", ATLAS_GLASS_AIRCRAFT_FD},
        {"aircraft", ATLAS_GLASS_AIRCRAFT},
        {"vs scale", ATLAS_GLASS_VSI_SCALE},
        {"vs needle", ATLAS_GLASS_VSI_NEEDLE},
        {"plate", ATLAS_GLASS_PLATE},
        {"speed box", ATLAS_GLASS_SPEED_BOX},
        {"alt box", ATLAS_GLASS_ALT_BOX},
        {"heading card", ATLAS_HEADING_CARD},
        {"course pointer", ATLAS_GLASS_COURSE_POINTER},
        {"deviation scale", ATLAS_GLASS_DEVIATION_SCALE},
        {"cdi bar", ATLAS_GLASS_CDI_BAR},
        {"hdg marker", ATLAS_GLASS_HDG_MARKER},
        {"hsi aircraft", ATLAS_GLASS_HSI_AIRCRAFT},
        {"heading box", ATLAS_GLASS_HEADING_BOX},
        {"ball", ATLAS_BALL},
        {"brake light", ATLAS_BRAKE_LIGHT},
        {"stall light", ATLAS_STALL_LIGHT},
        {"om lamp", ATLAS_OM_LAMP},
        {"mm lamp", ATLAS_MM_LAMP},
        {"im lamp", ATLAS_IM_LAMP},
        {"gs pointer", ATLAS_GLASS_GS_POINTER},
        {"gear down", ATLAS_GEAR_DOWN},
        {"gear transit", ATLAS_GEAR_TRANSIT},
    };
    return rects;
}

// This renderer's sprites in draw order (the readout glyphs are not sprites of
// the table and are read with Glyphs()).
inline std::vector<GlassSprite> GlassSprites(const rgl::RecordingGL &gl)
{
    std::vector<GlassSprite> out;
    for (const rgl::Primitive &q : gl.quads()) {
        if (IsHorizon(q)) {
            out.push_back({"horizon", q});
            continue;
        }
        rgl::TexelRect t = q.texels();
        for (const auto &[name, r] : GlassRects())
            if (t == rgl::TexelRect{float(r.u0), float(r.v0), float(r.u1), float(r.v1)})
                out.push_back({name, q});
    }
    return out;
}

inline std::vector<std::string> Names(const std::vector<GlassSprite> &sprites)
{
    std::vector<std::string> n;
    for (const GlassSprite &s : sprites) n.push_back(s.name);
    return n;
}

inline std::vector<rgl::Primitive> Named(const std::vector<GlassSprite> &sprites,
                                         const std::string &name)
{
    std::vector<rgl::Primitive> out;
    for (const GlassSprite &s : sprites)
        if (s.name == name) out.push_back(s.quad);
    return out;
}

// Large-font digit cells drawn on the text line at panel y (XO/YO included),
// in draw order, with the digit each shows.
inline std::vector<std::pair<rgl::Primitive, int>> GlyphQuads(const rgl::RecordingGL &gl, double y)
{
    std::vector<std::pair<rgl::Primitive, int>> out;
    for (const rgl::Primitive &q : gl.quads()) {
        for (int d = 0; d <= 9; d++) {
            AtlasRect c = LargeDigitCell(d);
            if (q.texels() == rgl::TexelRect{float(c.u0), float(c.v0), float(c.u1), float(c.v1)} &&
                q.panel().y == y)
                out.push_back({q, d});
        }
    }
    return out;
}

// The same keyed by the cell's x.
inline std::map<double, int> Glyphs(const rgl::RecordingGL &gl, double y)
{
    std::map<double, int> out;
    for (const auto &[q, d] : GlyphQuads(gl, y)) out[q.panel().x] = d;
    return out;
}

// The scale DrawGlass pushed (its glScalef), and the panel origin read from
// the background plate, which stands at panel (0, 0).
inline float FrameScale(const rgl::RecordingGL &gl)
{
    auto s = gl.callsTo("glScalef");
    return s.empty() ? 0.0f : float(s.front().args[0]);
}

struct Origin {
    int x = 0, y = 0;
};

inline Origin FrameOrigin(const rgl::RecordingGL &gl)
{
    auto plate = gl.showing(ATLAS_GLASS_PLATE);
    if (plate.empty()) return {};
    return {int(plate[0].panel().x), int(plate[0].panel().y)};
}

// Where panel point (x, y) lands on screen after a turn by theta degrees about
// panel pivot (px, py) and the panel scale; all in panel units with the origin.
struct Point {
    double x, y;
};

inline Point Turned(double x, double y, double px, double py, double theta, double scale)
{
    double t = theta * M_PI / 180.0;
    double dx = x - px, dy = y - py;
    return {scale * (px + std::cos(t) * dx - std::sin(t) * dy),
            scale * (py + std::sin(t) * dx + std::cos(t) * dy)};
}

// Every transformed vertex of q is where the turn puts its passed vertex.
inline void ExpectTurned(const rgl::Primitive &q, double px, double py, double theta,
                         double scale)
{
    for (const rgl::Vertex &v : q.vertices) {
        Point p = Turned(v.x, v.y, px, py, theta, scale);
        EXPECT_NEAR(v.sx, p.x, 1e-3) << "theta " << theta;
        EXPECT_NEAR(v.sy, p.y, 1e-3) << "theta " << theta;
    }
}

#endif
