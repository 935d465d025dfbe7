// A test plug-in around the plug-in's own drawing vocabulary and panel
// globals: the five entry points do nothing, and a few extra exported
// functions let a test set the globals the vocabulary reads and call each
// drawing routine on its own, with any arguments.

#include <stdio.h>
#include <string.h>

#include "Draw.h"
#include "FlightData.h"
#include "Panel.h"

#define PROBE_API extern "C" __attribute__((visibility("default")))

PROBE_API void ProbeSetPanel(int xo, int yo, float alpha, int lit)
{
    XO = xo;
    YO = yo;
    ALPHA = alpha;
    Lit = lit;
}

PROBE_API void ProbeSetScreen(int w, int h)
{
    ScreenWidth = w;
    ScreenHeight = h;
}

PROBE_API void ProbeSetTexture(unsigned name)
{
    mytex.textureName = name;
}

PROBE_API void ProbeSetBaro(float baro)
{
    Baro = baro;
}

PROBE_API void ProbeSetText(const char *text)
{
    snprintf(sbuf, sizeof sbuf, "%s", text);
}

PROBE_API const char *ProbeText(void)
{
    return sbuf;
}

PROBE_API void ProbeDrawChunk(float x, float y, int w, int h, float u0, float v0, float u1,
                              float v1)
{
    DrawChunk(x, y, w, h, u0, v0, u1, v1);
}

PROBE_API void ProbeDrawBaro(float x, float y)
{
    DrawBaro(x, y);
}

PROBE_API void ProbePString(float x, float y)
{
    pString(x, y);
}

PROBE_API void ProbePString2(float x, float y)
{
    pString2(x, y);
}

PROBE_API void ProbeDrawSplash(void)
{
    DrawSplash();
}

PROBE_API void ProbeSetTint(void)
{
    SetTint();
}

PROBE_API void ProbeBeginPivot(int px, int py, float theta)
{
    BeginPivot(px, py, theta);
}

PROBE_API void ProbeEndPivot(void)
{
    EndPivot();
}

PLUGIN_API int XPluginStart(char *outName, char *outSig, char *outDesc)
{
    strcpy(outName, "Vocabulary probe");
    strcpy(outSig, "ostrel.tests.vocabulary");
    strcpy(outDesc, "Drawing vocabulary under test");
    return 1;
}

PLUGIN_API void XPluginStop(void)
{
}

PLUGIN_API int XPluginEnable(void)
{
    return 1;
}

PLUGIN_API void XPluginDisable(void)
{
}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID, int, void *)
{
}
