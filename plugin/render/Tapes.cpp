// The Glass panel's moving speed and altitude tapes. Both put the current
// value on the centre line (y 95) with greater values higher up, and draw
// from a few steps below the window one major tick with its label and the
// minor tick above it per step, until the window's top has been passed.

#include <stdio.h>
#include "PluginGL.h"

#include "Draw.h"
#include "FlightData.h"
#include "Panel.h"
#include "Trunc.h"

// What tells the two tapes apart.
struct TapeLayout {
    int step;          // value between major ticks: 10 kt, 100 ft
    int firstBelow;    // first tick value below the base: 50 kt, 400 ft
    float k;           // panel units per unit of value
    float firstDrop;   // first tick's y below the base's: 75, 80
    float halfSpace;   // major to minor tick, minor to next major: 7.5, 10
    float majorX0, majorX1, minorX0, minorX1;
    float labelX;
    bool positiveOnly; // no tick below 0 (speed)
    const PanelBox &window;
};

static const TapeLayout kSpeedTape = {
    10, 50,           // step, first tick below the base (kt)
    1.5f, 75.0f,      // k, first tick's drop
    7.5f,             // half spacing
    170.0f, 175.0f,   // major tick x
    172.0f, 175.0f,   // minor tick x
    157.0f,           // label x
    true,             // nothing below 0 kt
    GLASS_SPEED_TAPE,
};

static const TapeLayout kAltitudeTape = {
    100, 400,         // step, first tick below the base (ft)
    0.2f, 80.0f,      // k, first tick's drop
    10.0f,            // half spacing
    302.0f, 307.0f,   // major tick x
    302.0f, 305.0f,   // minor tick x
    309.0f,           // label x
    false,            // every tick, labelled by magnitude below 0 ft
    GLASS_ALT_TAPE,
};

static const float kTopBound = 177.0f;  // ticks are drawn while below this y
// A value with an exact tick base puts its first tick within a few dozen
// units of the window's foot; a step count many times that bounds the loop.
static const int kMaxMajorTicks = 48;

// Whether the tick loop may run for value A with first tick y. A value that
// is not a number, infinite or beyond the int range has no exact tick base
// (its truncation saturates) and puts the first tick far below the window,
// at -Inf for an infinity: the loop would then take millions of steps, or
// never end once adding a step no longer changes y. Such values draw no
// ticks. Inside the range the base is exact, the first tick lies within a
// few dozen units of the window's foot, and the y bound holds the loop to
// at most kMaxMajorTicks steps.
static bool TicksDrawable(float A, float y, const TapeLayout &t)
{
    if (!(A >= -2147483648.0f && A < 2147483648.0f)) return false;
    return y >= kTopBound - (float)kMaxMajorTicks * 2.0f * t.halfSpace;
}

static void TickLine(float x0, float x1, float y)
{
    float Y = (float)YO + y;
    glBegin(GL_LINES);
    glVertex2f((float)XO + x0, Y);
    glVertex2f((float)XO + x1, Y);
    glEnd();
}

static void DrawTape(float A, const TapeLayout &t)
{
    // The base is A truncated toward zero to a multiple of the step.
    int r = TruncInt(A) % t.step;
    int b = TruncInt(A - (float)r);
    float y = 95.0f - (A - (float)b) * t.k - t.firstDrop;

    ScissorTo(t.window);
    SetTint();
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glLineWidth(1.0f);

    if (TicksDrawable(A, y, t)) {
        // Tick values run a few dozen steps past a base near the int range's
        // ends; 64 bits hold them all, and print as "%3d" would any int.
        long long n = (long long)b - t.firstBelow;
        while (y < kTopBound) {
            if (!t.positiveOnly || n >= 0) {
                TickLine(t.majorX0, t.majorX1, y);
                // The altitude tape labels depths below zero by magnitude;
                // the speed tape labels no value below zero at all.
                snprintf(sbuf, sizeof sbuf, "%3lld", n < 0 ? -n : n);
                pString(t.labelX, y - 3.0f);
                glDisable(GL_TEXTURE_2D);
            }
            float y2 = y + t.halfSpace;
            if (!t.positiveOnly || n + t.step / 2 >= 0) TickLine(t.minorX0, t.minorX1, y2);
            n += t.step;
            y = y2 + t.halfSpace;
        }
    }

    glDisable(GL_SCISSOR_TEST);
}

void Airspeed_Tape(void)
{
    DrawTape(Airspeed, kSpeedTape);
}

void Altitude_Tape(void)
{
    DrawTape(Altitude, kAltitudeTape);
}
