// The Glass panel: attitude display, flight director, HSI and annunciators.
// DrawGlass owns the whole frame and its painter's order; the speed bands,
// tapes and drum readouts are called at their fixed points in that order.

#include <math.h>
#include <stdio.h>
#include "PluginGL.h"

#include "XPLMGraphics.h"
#include "Draw.h"
#include "FlightData.h"
#include "GaugeScales.h"
#include "Panel.h"
#include "Limit.h"
#include "Trunc.h"

// The flight director bar's pivot, panel units; the rest of the fixed
// geometry is shared with the art (PanelGeometry.h).
static const int FD_PX = 239, FD_PY = 88;

// v of the horizon window's lower edge at zero pitch, its rise per degree
// of pitch and its height.
static const float HORIZON_V0 = (float)ATLAS_GLASS_HORIZON_WINDOW.v0 / ATLAS_SIZE;
static const float HORIZON_DV_PER_DEG = (float)(GLASS_HORIZON_TEXELS_PER_DEGREE / ATLAS_SIZE);
static const float HORIZON_DV =
    (float)(ATLAS_GLASS_HORIZON_WINDOW.v1 - ATLAS_GLASS_HORIZON_WINDOW.v0) / ATLAS_SIZE;

// The CDI bar and glideslope pointer move without bound on the panel; their
// deflection is held only this far out (millions of panel units, off any
// screen) so that an infinite or huge deviation still gives vertices that stay
// finite through the scale and projection.
static const float POINTER_MAX_DOTS = 1.0e5f;

static void DrawAttitude(void)
{
    float p = Limit(Pitch, -40.0f, 40.0f);

    ScissorTo(GLASS_ATTITUDE_WINDOW);
    SetTint();

    BeginPivot(GLASS_AI_PIVOT.x, GLASS_AI_PIVOT.y, Roll);
    const AtlasRect &h = ATLAS_GLASS_HORIZON;
    const PanelBox &pic = GLASS_AI_HORIZON;
    float v0 = HORIZON_V0 + HORIZON_DV_PER_DEG * p;
    DrawChunk(pic.x, pic.y, pic.w, pic.h, TexCoord(h.u0), v0, TexCoord(h.u1), v0 + HORIZON_DV);
    DrawSprite(235, 154, 9, 7, ATLAS_GLASS_ROLL_POINTER);
    EndPivot();

    glDisable(GL_SCISSOR_TEST);
}

static void DrawFlightDirector(void)
{
    if (FDmode != 0) {
        float q = Limit(FDpitch, -10.0f, 10.0f);
        BeginPivot(FD_PX, FD_PY, -FDroll);
        DrawSprite(207, 87 + q, 64, 10, ATLAS_GLASS_FD_BAR);
        EndPivot();
        DrawSprite(217.5f, 87, 43, 10, ATLAS_GLASS_AIRCRAFT_FD);
    } else {
        DrawSprite(202, 87, 74, 10, ATLAS_GLASS_AIRCRAFT);
    }
}

static void DrawVerticalSpeed(void)
{
    DrawSprite(GLASS_VSI_SCALE, ATLAS_GLASS_VSI_SCALE);
    float a = GlassVerticalSpeedAngle(fabsf(Vertspeed) / 1000.0f);
    // The tip rises in a climb: clockwise from pointing left.
    float theta = Vertspeed > 0 ? -a : a;
    BeginPivot(GLASS_VSI_PIVOT.x, GLASS_VSI_PIVOT.y, theta);
    DrawSprite(GLASS_VSI_NEEDLE, ATLAS_GLASS_VSI_NEEDLE);
    EndPivot();
}

static void DrawHSI(void)
{
    BeginPivot(GLASS_HSI_PIVOT.x, GLASS_HSI_PIVOT.y, Heading);
    DrawSprite(GLASS_HSI_CARD, ATLAS_HEADING_CARD);
    EndPivot();

    BeginPivot(GLASS_HSI_PIVOT.x, GLASS_HSI_PIVOT.y, Heading - Nav1OBS);
    DrawSprite(69, 40.5f, 10, 105, ATLAS_GLASS_COURSE_POINTER);
    DrawSprite(45, 90, 58, 6, ATLAS_GLASS_DEVIATION_SCALE);
    // 10 units per dot.
    float cdi = Limit(Nav1Hdef, -POINTER_MAX_DOTS, POINTER_MAX_DOTS);
    DrawSprite(73 + 10 * cdi, 66, 2, 50, ATLAS_GLASS_CDI_BAR);
    EndPivot();

    BeginPivot(GLASS_HSI_PIVOT.x, GLASS_HSI_PIVOT.y, Heading - HDG);
    DrawSprite(68, 145.5f, 12, 7, ATLAS_GLASS_HDG_MARKER);
    EndPivot();

    DrawSprite(65, 83.5f, 18, 19, ATLAS_GLASS_HSI_AIRCRAFT);
    DrawSprite(51, 150, 47, 14, ATLAS_GLASS_HEADING_BOX);

    snprintf(sbuf, sizeof sbuf, "%03d", TruncInt(Heading));
    pString2(66, 156);
}

static void DrawAnnunciators(void)
{
    if (Brakes > 0) DrawSprite(297, 161, 41, 10, ATLAS_BRAKE_LIGHT);
    // The stall light's 22-texel image is stretched over 26 units.
    if (Stalled != 0) DrawSprite(340, 158, 26, 13, ATLAS_STALL_LIGHT);
    DrawMarkerLamp(144, 161);
}

void DrawGlass(void)
{
    glPushMatrix();
    // The tapes smooth their lines, set the line width and the smoothing
    // hint; the simulator's graphics state calls manage none of these, so the
    // frame puts back what it found for whatever is drawn after it.
    glPushAttrib(GL_LINE_BIT | GL_HINT_BIT);
    glScalef(SCALE, SCALE, 1.0f);
    XPLMBindTexture2d((int)mytex.textureName, 0);

    DrawAttitude();
    DrawFlightDirector();
    DrawVerticalSpeed();

    // Everything so far shows only through the plate's transparent windows.
    DrawSprite(0, 0, width, height, ATLAS_GLASS_PLATE);

    Airspeed_Bands();
    Airspeed_Tape();
    Altitude_Tape();

    // The bands and tapes leave texturing off and a colour of their own.
    glEnable(GL_TEXTURE_2D);
    SetTint();

    // The drums are painted over these two boxes.
    DrawSprite(145, 81, 27, 27, ATLAS_GLASS_SPEED_BOX);
    DrawSprite(307, 79, 41, 31, ATLAS_GLASS_ALT_BOX);

    DrawHSI();

    float s = Limit(Slip, -4.5f, 4.5f);
    DrawSprite(GLASS_BALL.x - 3 * s, GLASS_BALL.y, GLASS_BALL.w, GLASS_BALL.h, ATLAS_BALL);

    Airspeed_Drum();
    Altitude_Drum();

    DrawAnnunciators();

    // 20 units per dot, downward for a positive deviation; always drawn.
    float gs = Limit(Nav1Vdef, -POINTER_MAX_DOTS, POINTER_MAX_DOTS);
    DrawSprite(295, 91.5f - 20 * gs, 6, 5, ATLAS_GLASS_GS_POINTER);

    if (Nav1DME != 0) {
        // At most 93 characters, for two floats of the largest magnitude.
        snprintf(sbuf, sizeof sbuf, "%3.1f        %4.2f", (double)Nav1DMEdist,
                 (double)Nav1DMEtime);
        pString2(48, 15);
    }

    for (int i = 0; i < 3; i++) DrawGearLamp(GLASS_GEAR_LAMPS[i].x, GLASS_GEAR_LAMPS[i].y, Gear[i]);

    glPopAttrib();
    glPopMatrix();
}
