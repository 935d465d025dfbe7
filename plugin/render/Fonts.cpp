// The three fixed-pitch digit fonts. Each draws the text in sbuf one cell per
// character; alignment comes from the padded formats the callers print.
// A character that is not a digit (the blanks of "%3d", a minus sign, a
// decimal point, the letters of "nan" or "inf") takes its cell and draws
// nothing, so no cell can ever show atlas art that is not a digit.

#include <stdio.h>
#include "PluginGL.h"

#include "XPLMGraphics.h"
#include "Draw.h"
#include "FlightData.h"
#include "Panel.h"
#include "Trunc.h"

typedef AtlasRect (*DigitCell)(int d);

static void DrawDigits(float x, float y, int w, int h, float step, DigitCell cell)
{
    float pen = x;
    for (const char *c = sbuf; *c; c++) {
        if (*c >= '0' && *c <= '9') DrawSprite(pen, y, w, h, cell(*c - '0'));
        pen += step;
    }
}

void DrawBaro(float x, float y)
{
    snprintf(sbuf, sizeof sbuf, "%4d", TruncInt(Baro * 100.0f));
    DrawDigits(x, y, FONT_BARO_W, FONT_BARO_H, 7.0f, BaroDigitCell);
}

void pString(float x, float y)
{
    XPLMBindTexture2d((int)mytex.textureName, 0);
    glEnable(GL_TEXTURE_2D);
    DrawDigits(x, y, FONT_SMALL_W, FONT_SMALL_H, 4.0f, SmallDigitCell);
}

void pString2(float x, float y)
{
    XPLMBindTexture2d((int)mytex.textureName, 0);
    glEnable(GL_TEXTURE_2D);
    DrawDigits(x, y, FONT_LARGE_W, FONT_LARGE_H, 6.0f, LargeDigitCell);
}
