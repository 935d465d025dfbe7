#ifndef OSTREL_DRAW_H
#define OSTREL_DRAW_H
// The drawing vocabulary every instrument shares: sprites cut from the
// master texture, the day / night tint, rotation about a pivot, the three
// digit fonts and the splash.

#include "AtlasRects.h"
#include "PanelGeometry.h"

// The texture coordinate of an atlas texel number.
static inline float TexCoord(float texel)
{
    return texel / (float)ATLAS_SIZE;
}

// One textured quad, w x h panel units with its lower-left corner at panel
// (x, y), showing texture coordinates (u0, v0) at the lower left and (u1, v1)
// at the upper right. Binds nothing and sets no colour.
void DrawChunk(float x, float y, int w, int h, float u0, float v0, float u1, float v1);

// DrawChunk of a whole atlas rectangle given in texels.
void DrawSprite(float x, float y, int w, int h, const AtlasRect &r);
void DrawSprite(const PanelBox &b, const AtlasRect &r);

// Limits drawing to panel box b on the screen and turns the scissor test on:
// each window-pixel number is the sum of origin and offset (exact in
// double), then a single-precision product with the scale truncated on its own.
void ScissorTo(const PanelBox &b);

// Sets glColor4f to the day tint, or the night tint while the cockpit lights are on.
void SetTint(void);

// Rotation of the sprites drawn between the two calls about panel point
// (px, py) by theta degrees, counter-clockwise on screen.
void BeginPivot(int px, int py, float theta);
void EndPivot(void);

// Digit fonts: draw sbuf left to right from panel (x, y), one cell per character.
void DrawBaro(float x, float y);  // formats Baro x 100 first; binds nothing
void pString(float x, float y);   // small 3 x 5 font; binds the master texture
void pString2(float x, float y);  // large 5 x 9 font; binds the master texture

// The product picture, in screen pixels, during the first seconds of a run.
void DrawSplash(void);

// Lamps shared by both panels, drawn in the current tint. At most one marker
// lamp shows, outer before middle before inner, at x, x + 11 and x + 22.
// A gear lamp shows down when its leg is fully down, in transit anywhere
// between, and nothing when the leg is up.
void DrawMarkerLamp(float x, float y);
void DrawGearLamp(float x, float y, float ratio);

// Panel renderers.
void DrawGA(void);
void DrawGlass(void);

// The Glass panel's tapes and drum readouts, called from DrawGlass.
void Airspeed_Bands(void);
void Airspeed_Tape(void);
void Altitude_Tape(void);
void Airspeed_Drum(void);
void Altitude_Drum(void);

#endif
