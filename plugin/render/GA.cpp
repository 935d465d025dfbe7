// The GA panel: six dial instruments, the barometer readout, three
// annunciators and the gear lamps, drawn in one painter's pass under one
// tint with one bind of the master texture. Needles are drawn pointing up
// in the atlas and turned about their pivots; clockwise is a negative angle.

#include <math.h>
#include "PluginGL.h"

#include "XPLMGraphics.h"
#include "Draw.h"
#include "FlightData.h"
#include "GaugeScales.h"
#include "Panel.h"
#include "Limit.h"
#include "Trunc.h"

// Horizon picture and ring turn with the roll; the picture's 100-row atlas
// window slides one texel per degree of pitch. The plate covers them but for
// its open attitude window.
static void DrawAttitude(void)
{
    Pitch = Limit(Pitch, -80.0f, 80.0f);
    float shift = Pitch * TexCoord(1.0f);
    const AtlasRect &win = ATLAS_GA_HORIZON_WINDOW;
    const PanelBox &pic = GA_AI_HORIZON;

    BeginPivot(GA_AI_PIVOT.x, GA_AI_PIVOT.y, Roll);
    DrawChunk(pic.x, pic.y, pic.w, pic.h, TexCoord(win.u0), shift + TexCoord(win.v0),
              TexCoord(win.u1), shift + TexCoord(win.v1));
    DrawSprite(GA_AI_RING, ATLAS_GA_HORIZON_RING);
    EndPivot();

    DrawSprite(0, 0, width, height, ATLAS_GA_PLATE);
    DrawSprite(GA_AI_AIRCRAFT, ATLAS_GA_AIRCRAFT);
    DrawSprite(GA_AI_BEZEL, ATLAS_GA_ATTITUDE_BEZEL);
}

static void DrawAirspeed(void)
{
    DrawSprite(GA_ASI_DIAL, ATLAS_GA_AIRSPEED_DIAL);

    float A = Airspeed;  // the limit is local: Airspeed keeps its value
    if (A > 205.0f) A = 205.0f;
    BeginPivot(GA_ASI_PIVOT.x, GA_ASI_PIVOT.y, 360.0f - AirspeedDialValue(A));
    DrawSprite(GA_ASI_NEEDLE, ATLAS_GA_AIRSPEED_NEEDLE);
    EndPivot();
}

static void DrawAltimeter(void)
{
    DrawSprite(GA_ALT_DIAL, ATLAS_GA_ALTIMETER_DIAL);
    DrawBaro(GA_BARO_READOUT.x, GA_BARO_READOUT.y);

    float H = Altitude;
    if (H > 10000.0f) {
        H = 10000.0f;
        Altitude = 10000.0f;
    }
    BeginPivot(GA_ALT_PIVOT.x, GA_ALT_PIVOT.y, 360.0f - AltimeterThousandsAngle(H));
    DrawSprite(GA_ALT_THOUSANDS_NEEDLE, ATLAS_GA_ALT_THOUSANDS_NEEDLE);
    EndPivot();

    // What is left over the whole thousands, read back after the limit.
    // Truncation toward zero leaves R <= 0 below sea level, so the needle
    // turns counter-clockwise there. The product is formed in float: as an
    // int it would overflow about 2.1 billion feet below sea level (above,
    // the altitude is held to 10000 ft).
    H = Altitude;
    int K = TruncInt(H / 1000.0f);
    float R = (float)K * -1000.0f + H;
    BeginPivot(GA_ALT_PIVOT.x, GA_ALT_PIVOT.y, 360.0f - AltimeterHundredsAngle(R));
    DrawSprite(GA_ALT_HUNDREDS_NEEDLE, ATLAS_GA_ALT_HUNDREDS_NEEDLE);
    EndPivot();
}

static void DrawTurnCoordinator(void)
{
    DrawSprite(GA_TURN_DIAL, ATLAS_GA_TURN_DIAL);

    Turn = Limit(Turn, -60.0f, 60.0f);
    BeginPivot(GA_TURN_PIVOT.x, GA_TURN_PIVOT.y, -Turn);  // positive turn rate: clockwise
    DrawSprite(GA_TURN_AIRCRAFT, ATLAS_GA_TURN_AIRCRAFT);
    EndPivot();

    // The ball is not limited and leaves the tube for a slip beyond about
    // 9.5 either way; only a position that is no number is put back in the
    // middle.
    DrawSprite(48, 50, 70, 17, ATLAS_GA_INCLINOMETER);
    float ballX = -3.0f * Slip + 77.0f;
    if (!isfinite(ballX)) ballX = 77.0f;
    DrawSprite(ballX, 51, 13, 13, ATLAS_BALL);
}

// The card turns counter-clockwise by the heading, the bug with it, offset
// clockwise by how far the selected heading lies ahead.
static void DrawHeading(void)
{
    DrawSprite(GA_HDG_DIAL, ATLAS_GA_HEADING_DIAL);

    BeginPivot(GA_HDG_PIVOT.x, GA_HDG_PIVOT.y, Heading);
    DrawSprite(GA_HDG_CARD, ATLAS_HEADING_CARD);
    EndPivot();

    BeginPivot(GA_HDG_PIVOT.x, GA_HDG_PIVOT.y, Heading - Bug);
    DrawSprite(228, 133, 10, 7, ATLAS_GA_HEADING_BUG);
    EndPivot();

    DrawSprite(GA_HDG_COVER, ATLAS_GA_HEADING_COVER);
}

// The needle points left at zero, clockwise for a climb, counter-clockwise
// for a descent, and stops half a turn away at 3750 ft/min either way.
static void DrawVerticalSpeed(void)
{
    DrawSprite(GA_VSI_DIAL, ATLAS_GA_VSI_DIAL);

    int I = TruncInt(Vertspeed);
    float magnitude = I < 0 ? -(float)I : (float)I;  // -INT_MIN has no int
    float S = GAVerticalSpeedValue(magnitude / 1000.0f);
    if (Vertspeed < 0.0f) S = -S;
    BeginPivot(GA_VSI_PIVOT.x, GA_VSI_PIVOT.y, 90.0f - S);
    DrawSprite(GA_VSI_NEEDLE, ATLAS_GA_VSI_NEEDLE);
    EndPivot();
}

// Housings always; a light over its housing when lit. At most one marker
// lamp shows: outer before middle before inner.
static void DrawAnnunciators(void)
{
    DrawSprite(330, 288, 35, 22, ATLAS_GA_STALL_HOUSING);
    if (Stalled != 0) DrawSprite(335, 293, 26, 13, ATLAS_STALL_LIGHT);

    DrawSprite(375, 295, 45, 14, ATLAS_GA_BRAKE_HOUSING);
    if (Brakes != 0.0f) DrawSprite(378, 297, 41, 10, ATLAS_BRAKE_LIGHT);

    DrawSprite(56, 290, 60, 21, ATLAS_GA_MARKER_HOUSING);
    DrawMarkerLamp(69, 297);
}

void DrawGA(void)
{
    glPushMatrix();
    glScalef(SCALE, SCALE, 1.0f);
    SetTint();
    XPLMBindTexture2d((int)mytex.textureName, 0);

    DrawAttitude();
    DrawAirspeed();
    DrawAltimeter();
    DrawTurnCoordinator();
    DrawHeading();
    DrawVerticalSpeed();
    DrawAnnunciators();
    for (int i = 0; i < 3; i++) DrawGearLamp(GA_GEAR_LAMPS[i].x, GA_GEAR_LAMPS[i].y, Gear[i]);

    glPopMatrix();
}
