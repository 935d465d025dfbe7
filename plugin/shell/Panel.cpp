// Panel state with its defaults. Nothing is persisted: every load of the
// library starts from these values.

#include "Panel.h"
#include "PanelGeometry.h"

int XO = 0;
int YO = 0;
int width = GA_PANEL.w;
int height = GA_PANEL.h;
float SCALE = 1.0f;
float ALPHA = 1.0f;
int Mode = 1;
bool Show = 1;
bool FORCE = 0;
bool LOADED = 0;
bool Dragging = 0;
int dx = 0, dy = 0;
int ScreenWidth = 1024, ScreenHeight = 768;
int View = 0;
int Lit = 0;

XPLMWindowID OurWindow = 0;
char TextureFile[] = OSTREL_TEXTURE_IN_SIM;  // relative to the simulator's folder
Texture mytex = {};
char sbuf[128] = {};

XPLMCommandRef OnOffCommandRef, LargerCommandRef, SmallerCommandRef;
XPLMCommandRef SwitchCommandRef, AlphaCommandRef, ForceCommandRef;
