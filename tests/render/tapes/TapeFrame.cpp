#include "TapeFrame.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AtlasRects.h"

namespace {

bool SmallGlyph(const rgl::Primitive &p)
{
    rgl::TexelRect t = p.texels();
    return p.mode == GL_QUADS && p.textured() && t.u0 == ATLAS_FONT_SMALL.u0 &&
           t.u1 == ATLAS_FONT_SMALL.u1;
}

bool DrumQuad(const rgl::Primitive &p)
{
    return p.mode == GL_QUADS && p.textured() &&
           (p.texels().u0 == DRUM_U0 || p.texels() == rgl::TexelRect{ATLAS_DRUM_MINUS.u0, ATLAS_DRUM_MINUS.v0,
                                                                     ATLAS_DRUM_MINUS.u1, ATLAS_DRUM_MINUS.v1});
}

// Groups glyphs, in call order, into the labels they were drawn as: a
// label's cells share a y and advance to the right.
std::vector<Label> Labels(const std::vector<rgl::Primitive> &glyphs, double labelX, int XO,
                          int YO)
{
    std::vector<Label> out;
    double lastX = 0;
    for (const rgl::Primitive &g : glyphs) {
        rgl::PanelRect r = g.panel();
        double x = r.x - XO, y = r.y - YO;
        if (out.empty() || out.back().y != y || x <= lastX) {
            out.push_back({});
            out.back().x = labelX;
            out.back().y = y;
        }
        lastX = x;
        Label &l = out.back();
        double cell = (x - labelX) / 4.0;
        EXPECT_EQ(cell, std::floor(cell)) << "glyph off the 4-unit cells at x " << x;
        // Sizes are sums formed in float at the glyph's place: near, not equal.
        EXPECT_NEAR(r.w, FONT_SMALL_W, 1e-3);
        EXPECT_NEAR(r.h, FONT_SMALL_H, 1e-3);
        double digit = (g.texels().v0 - ATLAS_FONT_SMALL.v0) / 6.0;
        size_t i = size_t(cell);
        if (l.text.size() <= i) l.text.resize(i + 1, ' ');
        l.text[i] = char('0' + int(digit));
        l.cells.push_back(g);
    }
    return out;
}

const Label *LabelAt(const std::vector<Label> &labels, double y)
{
    for (const Label &l : labels)
        if (l.y == y) return &l;
    return nullptr;
}

}  // namespace

const DrumWindow *TapeFrame::drumAt(double x) const
{
    for (const DrumWindow &d : drums)
        if (d.rect.x == x) return &d;
    return nullptr;
}

const Label *TapeFrame::speedLabelAt(double y) const
{
    return LabelAt(speedLabels, y);
}

const Label *TapeFrame::altLabelAt(double y) const
{
    return LabelAt(altLabels, y);
}

GlassPanel::GlassPanel()
{
    EXPECT_EQ(h.start(), 1);
    h.press(cmd::Switch);
}

void GlassPanel::moveTo(int x, int y)
{
    host::Rect r = h.windowRect();
    h.drag(r.left + 1, r.bottom + 1, x + 1, y + 1);
    XO = x;
    YO = y;
}

TapeFrame GlassPanel::draw()
{
    const rgl::RecordingGL &gl = h.drawFrame();
    TapeFrame f;
    f.primitives = gl.primitives().size();
    f.scissors = gl.scissors();
    std::vector<rgl::Primitive> speedGlyphs, altGlyphs;
    for (const rgl::Primitive &p : gl.primitives()) {
        if (p.mode == GL_QUADS && !p.textured()) {
            f.bands.push_back(p);
        } else if (p.mode == GL_LINES) {
            EXPECT_EQ(p.vertices.size(), 2u);
            if (p.vertices.size() != 2) continue;
            Tick t{p.vertices[0].x - XO, p.vertices[1].x - XO, p.vertices[0].y - YO, p};
            EXPECT_EQ(p.vertices[1].y - YO, t.y) << "tick not level";
            if (t.x0 == 170 && t.x1 == 175)
                f.speedMajor.push_back(t);
            else if (t.x0 == 172 && t.x1 == 175)
                f.speedMinor.push_back(t);
            else if (t.x0 == 302 && t.x1 == 307)
                f.altMajor.push_back(t);
            else if (t.x0 == 302 && t.x1 == 305)
                f.altMinor.push_back(t);
            else
                ADD_FAILURE() << "line from x " << t.x0 << " to " << t.x1;
        } else if (SmallGlyph(p)) {
            (p.panel().x - XO < 240 ? speedGlyphs : altGlyphs).push_back(p);
        } else if (DrumQuad(p)) {
            rgl::PanelRect r = p.panel();
            r.x -= XO;
            r.y -= YO;
            f.drums.push_back({r, p.texels(), p});
        }
    }
    f.speedLabels = Labels(speedGlyphs, 157, XO, YO);
    f.altLabels = Labels(altGlyphs, 309, XO, YO);
    return f;
}
