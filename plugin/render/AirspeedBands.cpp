// The coloured speed bands beside the Glass panel's speed tape.

#include "Draw.h"

void Airspeed_Bands(void)
{
}
