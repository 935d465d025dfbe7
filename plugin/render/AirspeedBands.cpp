// The coloured speed bands beside the Glass panel's speed tape: green over
// the whole column, the flap band up to Vfe on its left half, caution from
// Vno and never-exceed from Vne up to the top of the tape.

#include <math.h>
#include "PluginGL.h"

#include "Draw.h"
#include "FlightData.h"
#include "Panel.h"
#include "Trunc.h"

static const int kCentre = 95;  // the current airspeed's line on the tape
static const int kBottom = 32, kTop = 157;

// A limit speed's edge on the tape, o whole units off the centre line:
// below it while flying faster than the limit, above it otherwise, held to
// the tape window. o beyond the window's reach only ever gives a held edge,
// so it is capped first and 95 +/- o cannot overflow.
static int BandEdge(float limit, int o)
{
    if (o > kTop - kBottom) o = kTop - kBottom;
    int y = Airspeed > limit ? kCentre - o : kCentre + o;
    if (y > kTop) return kTop;
    if (y < kBottom) return kBottom;
    return y;
}

// The flap edge follows the airspeed in whole units, 2/3 kt each.
static int FlapOffset(void)
{
    return TruncInt(fabsf(Airspeed - Vfe) * 1.5f);
}

// The caution and never-exceed edges step once per whole knot of difference.
// The magnitude is taken in float, where that of INT_MIN exists.
static int KnotOffset(float limit)
{
    int knots = TruncInt(Airspeed - limit);
    return TruncInt(fabsf((float)knots) * 1.5f);
}

// One band, x0 .. x1 wide, from y0 up to y1, in whole panel units.
static void Band(int x0, int x1, int y0, int y1)
{
    double X0 = (double)XO + x0, X1 = (double)XO + x1;
    double Y0 = (double)YO + y0, Y1 = (double)YO + y1;
    glBegin(GL_QUADS);
    glVertex2d(X1, Y0);
    glVertex2d(X0, Y0);
    glVertex2d(X0, Y1);
    glVertex2d(X1, Y1);
    glEnd();
}

void Airspeed_Bands(void)
{
    if (Lit)
        glColor4f(0.0f, 0.35f, 0.0f, ALPHA);
    else
        glColor4f(0.0f, 0.8f, 0.0f, ALPHA);
    glDisable(GL_TEXTURE_2D);
    Band(175, 179, kBottom, kTop);

    int yFe = BandEdge(Vfe, FlapOffset());
    SetTint();
    Band(175, 177, kBottom, yFe);

    int yNo = BandEdge(Vno, KnotOffset(Vno));
    if (Lit)
        glColor4f(0.7f, 0.35f, 0.0f, ALPHA);
    else
        glColor4f(1.0f, 1.0f, 0.0f, ALPHA);
    Band(175, 179, yNo, kTop);

    int yNe = BandEdge(Vne, KnotOffset(Vne));
    if (Lit)
        glColor4f(0.6f, 0.1f, 0.1f, ALPHA);
    else
        glColor4f(1.0f, 0.0f, 0.0f, ALPHA);
    Band(175, 179, yNe, kTop);
}
