// A tiny plug-in for flyer-sim's own tests. It creates two overlapping
// windows and two commands and logs every command phase and mouse event it
// receives with the elapsed time. Compile definitions turn it into a
// misbehaving plug-in for the end-of-run checks:
//   PROBE_NO_STOP       lacks the XPluginStop entry point
//   PROBE_LEAK_HANDLER  leaves a command handler registered at stop
//   PROBE_LEAK_WINDOW   leaves a window at stop
//   PROBE_UNBALANCED    pushes the modelview matrix without popping it
//   PROBE_GL_ERROR      raises GL_INVALID_ENUM while drawing
//   PROBE_ALLOC         allocates once per frame while drawing
//   PROBE_LEAK_STATE    leaves line smoothing and the scissor test on
//   PROBE_LEAK_TEXTURE  makes a texture at start and never deletes it

#include <GL/gl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"

static XPLMWindowID WindowA, WindowB;
static XPLMCommandRef ProbeCommand, SelectCommand;
static char Line[256];
void *volatile Kept;

static void Log(void)
{
    XPLMDebugString(Line);
}

static void Draw(XPLMWindowID id, void *)
{
    int l, t, r, b;
    XPLMGetWindowGeometry(id, &l, &t, &r, &b);
    // Eight GL calls per window; the host's graphics state calls are not counted.
    XPLMSetGraphicsState(0, 0, 0, 0, 1, 0, 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (id == WindowA)
        glColor4f(0.9f, 0.1f, 0.1f, 1.0f);
    else
        glColor4f(0.1f, 0.9f, 0.1f, 0.5f);
    glBegin(GL_QUADS);
    glVertex2i(l, b);
    glVertex2i(r, b);
    glVertex2i(r, t);
    glVertex2i(l, t);
    glEnd();
#ifdef PROBE_UNBALANCED
    glPushMatrix();
#endif
#ifdef PROBE_GL_ERROR
    glEnable(0x1234);
#endif
#ifdef PROBE_LEAK_STATE
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_SCISSOR_TEST);
#endif
#ifdef PROBE_ALLOC
    if (id == WindowA) {
        Kept = malloc(16);
        free(Kept);
    }
#endif
}

static int Mouse(XPLMWindowID id, int x, int y, XPLMMouseStatus status, void *)
{
    static const char *kNames[] = {"?", "down", "drag", "up"};
    snprintf(Line, sizeof Line, "mouse %s %s %d %d\n", id == WindowA ? "A" : "B",
             kNames[status >= 1 && status <= 3 ? status : 0], x, y);
    Log();
    // The lower part of B lets presses through to what lies under it.
    return !(id == WindowB && status == xplm_MouseDown && y < 200);
}

static void Key(XPLMWindowID, char, XPLMKeyFlags, char, void *, int) {}

static int Command(XPLMCommandRef c, XPLMCommandPhase phase, void *)
{
    snprintf(Line, sizeof Line, "cmd %s %d t=%.3f\n", c == ProbeCommand ? "probe" : "select", phase,
             XPLMGetElapsedTime());
    Log();
    return 1;
}

PLUGIN_API int XPluginStart(char *name, char *sig, char *desc)
{
    strcpy(name, "Probe");
    strcpy(sig, "ostrel.test.probe");
    strcpy(desc, "flyer-sim test plug-in");
    WindowA = XPLMCreateWindow(100, 300, 300, 100, 1, Draw, Key, Mouse, NULL);
    WindowB = XPLMCreateWindow(250, 350, 450, 150, 1, Draw, Key, Mouse, NULL);
    ProbeCommand = XPLMCreateCommand("test/probe/cmd", "Probe command");
    SelectCommand = XPLMCreateCommand("sim/view/ostrel_select", "Probe select");
    XPLMRegisterCommandHandler(ProbeCommand, Command, 0, NULL);
    XPLMRegisterCommandHandler(SelectCommand, Command, 0, NULL);
#ifdef PROBE_LEAK_TEXTURE
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
#endif
    return 1;
}

#ifndef PROBE_NO_STOP
PLUGIN_API void XPluginStop(void)
{
    XPLMDestroyWindow(WindowA);
#ifndef PROBE_LEAK_WINDOW
    XPLMDestroyWindow(WindowB);
#endif
#ifndef PROBE_LEAK_HANDLER
    XPLMUnregisterCommandHandler(ProbeCommand, Command, 0, NULL);
#endif
    XPLMUnregisterCommandHandler(SelectCommand, Command, 0, NULL);
}
#endif

PLUGIN_API int XPluginEnable(void) { return 1; }
PLUGIN_API void XPluginDisable(void) {}
PLUGIN_API void XPluginReceiveMessage(XPLMPluginID, int, void *) {}
