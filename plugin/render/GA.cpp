// The GA panel: six dial instruments with annunciators.

#include "Draw.h"

void DrawGA(void)
{
}
