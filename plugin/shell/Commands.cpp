// The six panel commands. Each acts on the end phase only (the release of
// the bound key or button) and returns 0 in every phase.

#include "Panel.h"
#include "PanelGeometry.h"
#include "Trunc.h"

// Re-scales about the screen origin: the panel origin moves so that the
// scaled window keeps its place as nearly as whole pixels allow. The
// difference is taken in double and held to the int range, so an origin
// near its ends stays there.
static void ApplyScale(float s1)
{
    float s0 = SCALE;
    SCALE = s1;
    XO = TruncIntD((double)XO - ((double)TruncInt(XO * s1) - TruncInt(XO * s0)));
    YO = TruncIntD((double)YO - ((double)TruncInt(YO * s1) - TruncInt(YO * s0)));
    SetScaledWindowRect();
}

static int MyHandleOnOff(XPLMCommandRef, XPLMCommandPhase phase, void *)
{
    if (phase == xplm_CommandEnd) Show = !Show;
    return 0;
}

static int MyHandleLarger(XPLMCommandRef, XPLMCommandPhase phase, void *)
{
    if (phase == xplm_CommandEnd) ApplyScale(!(SCALE >= SCALE_MAX) ? SCALE + SCALE_STEP : SCALE);
    return 0;
}

static int MyHandleSmaller(XPLMCommandRef, XPLMCommandPhase phase, void *)
{
    if (phase == xplm_CommandEnd) ApplyScale(SCALE > SCALE_MIN ? SCALE - SCALE_STEP : SCALE);
    return 0;
}

static int MyHandleSwitch(XPLMCommandRef, XPLMCommandPhase phase, void *)
{
    if (phase != xplm_CommandEnd) return 0;
    if (Mode == 1) {
        Mode = 2;
        width = GLASS_PANEL.w;
        height = GLASS_PANEL.h;
    } else {
        Mode = 1;
        width = GA_PANEL.w;
        height = GA_PANEL.h;
    }
    SetScaledWindowRect();
    return 0;
}

static int MyHandleAlpha(XPLMCommandRef, XPLMCommandPhase phase, void *)
{
    if (phase != xplm_CommandEnd) return 0;
    float x = ALPHA - 0.1f;
    ALPHA = x > 0.2f ? x : 1.0f;
    return 0;
}

static int MyHandleForce(XPLMCommandRef, XPLMCommandPhase phase, void *)
{
    if (phase == xplm_CommandEnd) FORCE = !FORCE;
    return 0;
}

struct PanelCommand {
    const char *name;
    const char *description;
    XPLMCommandCallback_f handler;
    XPLMCommandRef *ref;
};

// Creation order at start and unregistration order at stop.
static const PanelCommand kPanelCommands[] = {
    {"sim/view/ostrel_flyer_on_off", "Show or hide the Ostrel-Flyer instruments.", MyHandleOnOff,
     &OnOffCommandRef},
    {"sim/view/ostrel_panel_larger", "Make the Ostrel-Flyer panel larger.", MyHandleLarger,
     &LargerCommandRef},
    {"sim/view/ostrel_panel_smaller", "Make the Ostrel-Flyer panel smaller.", MyHandleSmaller,
     &SmallerCommandRef},
    {"sim/view/ostrel_select", "Select type of Ostrel-Flyer panel. (GA/Glass)", MyHandleSwitch,
     &SwitchCommandRef},
    {"sim/view/ostrel_transparency", "Adjust the transparency of the Ostrel-Flyer panel.",
     MyHandleAlpha, &AlphaCommandRef},
    {"sim/view/ostrel_force_on", "Force the Ostrel-Flyer panel on.", MyHandleForce,
     &ForceCommandRef},
};

void CreatePanelCommands(void)
{
    for (const PanelCommand &c : kPanelCommands) {
        *c.ref = XPLMCreateCommand(c.name, c.description);
        XPLMRegisterCommandHandler(*c.ref, c.handler, 0, NULL);
    }
}

void UnregisterPanelCommands(void)
{
    for (const PanelCommand &c : kPanelCommands)
        XPLMUnregisterCommandHandler(*c.ref, c.handler, 0, NULL);
}
