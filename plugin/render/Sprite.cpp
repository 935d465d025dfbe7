// Sprites, scissor boxes, tints and pivot rotations.

#include <math.h>
#include "PluginGL.h"

#include "Draw.h"
#include "Panel.h"
#include "Trunc.h"

void DrawChunk(float x, float y, int w, int h, float u0, float v0, float u1, float v1)
{
    float X = (float)XO + x;
    float Y = (float)YO + y;
    float fw = (float)w;
    float fh = (float)h;
    glBegin(GL_QUADS);
    glTexCoord2f(u1, v0);
    glVertex2f(X + fw, Y);
    glTexCoord2f(u0, v0);
    glVertex2f(X, Y);
    glTexCoord2f(u0, v1);
    glVertex2f(X, Y + fh);
    glTexCoord2f(u1, v1);
    glVertex2f(X + fw, Y + fh);
    glEnd();
}

void DrawSprite(float x, float y, int w, int h, const AtlasRect &r)
{
    DrawChunk(x, y, w, h, TexCoord(r.u0), TexCoord(r.v0), TexCoord(r.u1), TexCoord(r.v1));
}

void DrawSprite(const PanelBox &b, const AtlasRect &r)
{
    DrawSprite(b.x, b.y, b.w, b.h, r);
}

static int ScissorNumber(int origin, float offset)
{
    return TruncInt((float)((double)origin + offset) * SCALE);
}

void ScissorTo(const PanelBox &b)
{
    glScissor(ScissorNumber(XO, b.x), ScissorNumber(YO, b.y), TruncInt((float)b.w * SCALE),
              TruncInt((float)b.h * SCALE));
    glEnable(GL_SCISSOR_TEST);
}

void SetTint(void)
{
    if (Lit)
        glColor4f(0.7f, 0.35f, 0.4f, ALPHA);
    else
        glColor4f(1.0f, 1.0f, 1.0f, ALPHA);
}

void BeginPivot(int px, int py, float theta)
{
    // Angles are used as they come, without wrapping; only one that is not
    // finite (a NaN or infinite dataref, or the difference of two huge ones)
    // would turn the whole matrix into NaN, so it draws the part unturned.
    if (!isfinite(theta)) theta = 0.0f;
    glPushMatrix();
    // The sums are formed in double: exact for every int, so an origin
    // dragged to the ends of the int range does not wrap round.
    double x = (double)XO + px, y = (double)YO + py;
    glTranslated(x, y, 0.0);
    glRotatef(theta, 0.0f, 0.0f, 1.0f);
    glTranslated(-x, -y, 0.0);
}

void EndPivot(void)
{
    glPopMatrix();
}
