// The Glass panel's rolling drum readouts of airspeed and altitude.

#include "Draw.h"

void Airspeed_Drum(void)
{
}

void Altitude_Drum(void)
{
}
