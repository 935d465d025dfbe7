// The three fixed-pitch digit fonts. Each draws the text in sbuf one cell per
// character; alignment comes from the padded formats the callers print.
// A character that is not a digit (the blanks of "%3d", a minus sign, a
// decimal point, the letters of "nan" or "inf") takes its cell and draws
// nothing, so no cell can ever show atlas art that is not a digit.

#include <stdio.h>
#include <GL/gl.h>

#include "XPLMGraphics.h"
#include "Draw.h"
#include "FlightData.h"
#include "Panel.h"
#include "Trunc.h"

static bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

void DrawBaro(float x, float y)
{
    int n = TruncInt(Baro * 100.0f);
    snprintf(sbuf, sizeof sbuf, "%4d", n);
    float pen = x;
    for (const char *c = sbuf; *c; c++) {
        if (IsDigit(*c)) {
            int d = *c - '0';
            DrawChunk(pen, y, FONT_BARO_W, FONT_BARO_H, (6 * d + 26) / 1024.0f,
                      342 / 1024.0f, (6 * d + 26 + 5) / 1024.0f, 349 / 1024.0f);
        }
        pen += 7.0f;
    }
}

void pString(float x, float y)
{
    XPLMBindTexture2d((int)mytex.textureName, 0);
    glEnable(GL_TEXTURE_2D);
    float pen = x;
    for (const char *c = sbuf; *c; c++) {
        if (IsDigit(*c)) {
            int d = *c - '0';
            float v0 = (6 * d + 480) / 1024.0f;
            DrawChunk(pen, y, FONT_SMALL_W, FONT_SMALL_H, 564 / 1024.0f, v0, 567 / 1024.0f,
                      v0 + 5 / 1024.0f);
        }
        pen += 4.0f;
    }
}

void pString2(float x, float y)
{
    XPLMBindTexture2d((int)mytex.textureName, 0);
    glEnable(GL_TEXTURE_2D);
    float pen = x;
    for (const char *c = sbuf; *c; c++) {
        if (IsDigit(*c)) {
            int d = *c - '0';
            float v0 = (9 * d + 460) / 1024.0f;
            DrawChunk(pen, y, FONT_LARGE_W, FONT_LARGE_H, 240 / 1024.0f, v0, 245 / 1024.0f,
                      v0 + 9 / 1024.0f);
        }
        pen += 6.0f;
    }
}
