// The Glass panel: attitude display, flight director, HSI and annunciators.

#include "Draw.h"

void DrawGlass(void)
{
}
