// The splash: the product picture, in screen pixels, centred across the
// upper part of the screen during the first seconds of a run.

#include <GL/gl.h>

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
    glTexCoord2f(r.u1 / 1024.0f, r.v0 / 1024.0f);
    glVertex2d(right, bottom);
    glTexCoord2f(r.u0 / 1024.0f, r.v0 / 1024.0f);
    glVertex2d(left, bottom);
    glTexCoord2f(r.u0 / 1024.0f, r.v1 / 1024.0f);
    glVertex2d(left, top);
    glTexCoord2f(r.u1 / 1024.0f, r.v1 / 1024.0f);
    glVertex2d(right, top);
    glEnd();
}
