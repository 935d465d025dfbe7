// The splash: the product picture, in screen pixels, centred across the
// upper part of the screen during the first seconds of a run.

#include "PluginGL.h"

#include "XPLMGraphics.h"
#include "Draw.h"
#include "Panel.h"
#include "Trunc.h"

void DrawSplash(void)
{
    int cx = ScreenWidth / 2;
    int left = cx - 100;
    int right = cx + 100;
    int bottom = TruncIntD((ScreenHeight / 4 * 3) - 37.5);
    int top = bottom + 75;

    glColor4f(1.0f, 1.0f, 1.0f, 0.8f);
    XPLMBindTexture2d((int)mytex.textureName, 0);
    const AtlasRect &r = ATLAS_SPLASH;
    glBegin(GL_QUADS);
    glTexCoord2f(TexCoord(r.u1), TexCoord(r.v0));
    glVertex2d(right, bottom);
    glTexCoord2f(TexCoord(r.u0), TexCoord(r.v0));
    glVertex2d(left, bottom);
    glTexCoord2f(TexCoord(r.u0), TexCoord(r.v1));
    glVertex2d(left, top);
    glTexCoord2f(TexCoord(r.u1), TexCoord(r.v1));
    glVertex2d(right, top);
    glEnd();
}
