// The panel window: the per-frame draw cycle and mouse dragging.

#include "PluginGL.h"

#include "XPLMGraphics.h"
#include "XPLMProcessing.h"
#include "Panel.h"
#include "FlightData.h"
#include "Draw.h"
#include "Trunc.h"

// View types in which the panel shows unless forced on.
static const int kShownViews[] = {1014, 1017, 1018, 1020, 1021, 1023, 1024};

static bool PanelVisible(void)
{
    if (FORCE) return true;
    if (!Show) return false;
    for (unsigned i = 0; i < sizeof kShownViews / sizeof kShownViews[0]; i++)
        if (View == kShownViews[i]) return true;
    return false;
}

void SetScaledWindowRect(void)
{
    int left = TruncInt(XO * SCALE);
    int bottom = TruncInt(YO * SCALE);
    XPLMSetWindowGeometry(OurWindow, left, AddInt(bottom, TruncInt(height * SCALE)),
                          AddInt(left, TruncInt(width * SCALE)), bottom);
}

void MyDrawWindowCallback(XPLMWindowID inWindowID, void *inRefcon)
{
    (void)inWindowID;
    (void)inRefcon;
    if (!LOADED) return;

    XPLMSetGraphicsState(0, 1, 0, 1, 1, 0, 0);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    if (XPLMGetElapsedTime() < 10.0f) DrawSplash();

    int left = 0, top = 0, right = 0, bottom = 0;
    XPLMGetWindowGeometry(OurWindow, &left, &top, &right, &bottom);
    RefreshViewType();

    if (!PanelVisible()) {
        // A window of no size: hidden, and it takes no clicks.
        XPLMSetWindowGeometry(OurWindow, 1, 1, 1, 1);
        return;
    }
    if (left == 1 && right == 1) SetScaledWindowRect();  // collapsed on an earlier frame

    RefreshFlightData();
    if (Mode == 1)
        DrawGA();
    else
        DrawGlass();
}

int MyHandleMouseClickCallback(XPLMWindowID inWindowID, int x, int y, XPLMMouseStatus inMouse,
                               void *inRefcon)
{
    (void)inWindowID;
    (void)inRefcon;
    int left = 0, top = 0, right = 0, bottom = 0;
    XPLMGetWindowGeometry(OurWindow, &left, &top, &right, &bottom);

    switch (inMouse) {
    case xplm_MouseDown:
        Dragging = 1;
        dx = TruncIntD((double)x - left);
        dy = TruncIntD((double)y - bottom);
        break;
    case xplm_MouseDrag:
        if (Dragging) {
            // Sums held to the int range: a drag far off screen pins the
            // window to the range's end instead of wrapping it round.
            int newLeft = TruncIntD((double)x - dx);
            int newBottom = TruncIntD((double)y - dy);
            XPLMSetWindowGeometry(OurWindow, newLeft, AddInt(newBottom, TruncInt(height * SCALE)),
                                  AddInt(newLeft, TruncInt(width * SCALE)), newBottom);
            // The drawn panel follows the window, in unscaled panel units.
            XO = TruncInt((float)((double)x - dx) / SCALE);
            YO = TruncInt((float)((double)y - dy) / SCALE);
        }
        break;
    case xplm_MouseUp:
        Dragging = 0;
        SetScaledWindowRect();  // snap onto the panel origin the drag left behind
        break;
    default:
        break;
    }
    return 1;
}

void MyHandleKeyCallback(XPLMWindowID inWindowID, char inKey, XPLMKeyFlags inFlags,
                         char inVirtualKey, void *inRefcon, int losingFocus)
{
    (void)inWindowID;
    (void)inKey;
    (void)inFlags;
    (void)inVirtualKey;
    (void)inRefcon;
    (void)losingFocus;
}
