// Marker and gear lamps, the same pictures on both panels.

#include "Draw.h"
#include "FlightData.h"

void DrawMarkerLamp(float x, float y)
{
    if (OM != 0)
        DrawSprite(x, y, 11, 9, ATLAS_OM_LAMP);
    else if (MM != 0)
        DrawSprite(x + 11, y, 11, 9, ATLAS_MM_LAMP);
    else if (IM != 0)
        DrawSprite(x + 22, y, 11, 9, ATLAS_IM_LAMP);
}

void DrawGearLamp(float x, float y, float ratio)
{
    if (ratio == 1.0f)
        DrawSprite(x, y, 7, 7, ATLAS_GEAR_DOWN);
    else if (ratio != 0.0f)
        DrawSprite(x, y, 7, 7, ATLAS_GEAR_TRANSIT);
}
