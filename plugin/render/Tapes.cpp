// The Glass panel's moving speed and altitude tapes.

#include "Draw.h"

void Airspeed_Tape(void)
{
}

void Altitude_Tape(void)
{
}
