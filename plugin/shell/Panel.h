#ifndef OSTREL_PANEL_H
#define OSTREL_PANEL_H
// The panel state shared by every part of the plug-in: one panel, one window
// per process, all plain globals with their defaults set at library load.

#include "XPLMDisplay.h"
#include "XPLMUtilities.h"
#include "TGALoader.h"

extern int XO;           // panel origin x, panel units (unscaled)
extern int YO;           // panel origin y, panel units (unscaled)
extern int width;        // GA_PANEL or GLASS_PANEL (PanelGeometry.h)
extern int height;
extern float SCALE;      // 0.6 .. 2.0 in steps of 0.2
extern float ALPHA;      // panel opacity, 1.0 down to 0.3
extern int Mode;         // 1 = GA panel, anything else = Glass panel
extern bool Show;        // toggled by the on/off command
extern bool FORCE;       // draw whatever Show and the view type say
extern bool LOADED;      // master texture uploaded; nothing is drawn before
extern bool Dragging;    // a mouse drag of the window is in progress
extern int dx, dy;       // grab point offset from the window's left / bottom edge
extern int ScreenWidth, ScreenHeight;
extern int View;         // current simulator view type
extern int Lit;          // cockpit lights on: night tint

extern XPLMWindowID OurWindow;
extern char TextureFile[];
extern Texture mytex;
extern char sbuf[128];

extern XPLMCommandRef OnOffCommandRef, LargerCommandRef, SmallerCommandRef;
extern XPLMCommandRef SwitchCommandRef, AlphaCommandRef, ForceCommandRef;

// Moves the window onto the panel rectangle scaled by SCALE.
void SetScaledWindowRect(void);

// Window callbacks.
void MyDrawWindowCallback(XPLMWindowID inWindowID, void *inRefcon);
int MyHandleMouseClickCallback(XPLMWindowID inWindowID, int x, int y, XPLMMouseStatus inMouse,
                               void *inRefcon);
void MyHandleKeyCallback(XPLMWindowID inWindowID, char inKey, XPLMKeyFlags inFlags,
                         char inVirtualKey, void *inRefcon, int losingFocus);

// The six panel commands: created and registered at start, unregistered at stop.
void CreatePanelCommands(void);
void UnregisterPanelCommands(void);

#endif
