// The Glass panel's rolling drum readouts of airspeed and altitude. Every
// digit is a window sliding along the drum strip: at rest it shows exactly
// one digit cell; a higher digit rolls on only while every lower one passes
// from 9 to 0, so the readouts turn over like a mechanical counter.
//
// A value that is not a number or infinite reads as 0, the readout at rest:
// it has no digits, and would reach the GL as a texture coordinate of the
// same kind. Digits are ints from saturating truncation; their products with
// the place values and their cells are formed in 64 bits, equal to the int
// results wherever those exist, so an absurd value draws absurd windows but
// never overflows.

#include <math.h>
#include "PluginGL.h"

#include "Draw.h"
#include "FlightData.h"
#include "Trunc.h"

// The tall windows read this many texels of the neighbour cells on each side.
static const int kTallMargin = DRUM_CELL0 - ATLAS_DRUM.v0;

// v less the place value's whole digits, in float: v - place x d.
static float Rest(float v, int place, int d)
{
    return v - (float)((long long)place * d);
}

// A digit window w x h at panel (x, y) showing strip texels v0 .. v1
// between columns DRUM_U0 and u1.
static void DrumWindow(float x, float y, int w, int h, int u1, float v0, float v1)
{
    DrawChunk(x, y, w, h, TexCoord(DRUM_U0), TexCoord(v0), TexCoord(u1), TexCoord(v1));
}

// One digit of a short window at rest or rolling.
static void DigitWindow(float x, float y, float v)
{
    DrumWindow(x, y, 6, DRUM_CELL_H, DRUM_U1, v, v + DRUM_CELL_H);
}

// Three wheels: hundreds, tens and a tall units wheel that rolls with every
// fraction of a knot. A negative airspeed shows its magnitude.
void Airspeed_Drum(void)
{
    float a = fabsf(Airspeed);
    if (!isfinite(a)) a = 0.0f;
    int H = TruncInt(a / 100.0f);
    float a1 = Rest(a, 100, H);
    int T = TruncInt(a1 / 10.0f);
    float a2 = Rest(a1, 10, T);
    int U = TruncInt(a2);
    float f = a2 - (float)U;
    // A fraction only while the digits hold the value: no number, or one
    // beyond the int range where they saturate, leaves the units wheel on
    // its cell instead of rolling it by NaN or infinity.
    if (!(f >= 0.0f && f < 1.0f)) f = 0.0f;
    float s = 12.0f * f;

    float vU = (float)DrumCell(U) + s;
    float vT = (float)DrumCell(T);
    if (U == 9) vT += s;
    float vH = (float)DrumCell(H);
    if (U == 9 && T == 9) vH += s;

    if (H > 0) DigitWindow(148, 88, vH);
    DigitWindow(155, 88, vT);
    DrumWindow(162, 83, 6, DRUM_CELL_H + 2 * kTallMargin, DRUM_U1, vU - kTallMargin,
               vU + (float)(DRUM_CELL_H + kTallMargin));
}

// Ten-thousands, thousands and hundreds wheels and a tall two-digit window
// of the whole feet below the hundred (1.2 texels per foot). The wheels
// roll over the last ten feet of each hundred. Below sea level the wheels
// show the magnitude as they would show that height, and the ten-thousands
// slot, empty while the magnitude is below 10000 ft, shows a minus sign;
// less than a whole foot below reads 0 without one, like as much above.
void Altitude_Drum(void)
{
    float a = Altitude;
    if (!isfinite(a)) a = 0.0f;
    bool below = a <= -1.0f;
    a = fabsf(a);
    int X = TruncInt(a / 10000.0f);
    float r1 = Rest(a, 10000, X);
    int Y = TruncInt(r1 / 1000.0f);
    float r2 = Rest(r1, 1000, Y);
    int Z = TruncInt(r2 / 100.0f);
    float r3 = Rest(r2, 100, Z);
    int W = TruncInt(r3);

    bool rolling = W > 90;
    float roll = 12.0f * ((float)((long long)W - 90) / 10.0f);

    float vX = (float)DrumCell(X);
    if (Y == 9 && Z == 9 && rolling) vX += roll;
    float vY = (float)DrumCell(Y);
    if (Z == 9 && rolling) vY += roll;
    float vZ = (float)DrumCell(Z);
    if (rolling) vZ += roll;
    float vW = (float)DRUM_CELL0 + 1.2f * (float)W;

    if (X > 0)
        DigitWindow(312, 89, vX);
    else if (below)
        DrawSprite(312, 89, 6, DRUM_CELL_H, ATLAS_DRUM_MINUS);
    if (X != 0 || Y != 0) DigitWindow(319, 89, vY);
    DigitWindow(326, 89, vZ);
    DrumWindow(333, 84, 13, DRUM_CELL_H + 2 * kTallMargin, DRUM_PAIR_U1, vW - kTallMargin,
               vW + (float)(DRUM_CELL_H + kTallMargin));
}
