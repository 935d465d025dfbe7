// The five entry points the simulator's plug-in manager calls.

#include <stdlib.h>
#include <string.h>
#include <GL/gl.h>

#include "Panel.h"
#include "FlightData.h"

// Uploads the decoded master texture into the simulator's current context.
static void UploadMasterTexture(void)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    mytex.textureName = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, (GLint)(mytex.bitsPerPixel / 8), (GLsizei)mytex.imageWidth,
                 (GLsizei)mytex.imageHeight, 0, mytex.pixelFormat, GL_UNSIGNED_BYTE, mytex.pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

PLUGIN_API int XPluginStart(char *outName, char *outSig, char *outDesc)
{
    strcpy(outName, "Ostrel-Flyer");
    strcpy(outSig, "velmorant.ostrel.flyer");
    strcpy(outDesc, "Version " OSTREL_VERSION);

    OurWindow = XPLMCreateWindow(XO, YO + height, XO + width, YO, 1, MyDrawWindowCallback,
                                 MyHandleKeyCallback, MyHandleMouseClickCallback, NULL);
    XPLMGetScreenSize(&ScreenWidth, &ScreenHeight);
    FindFlightDataRefs();
    CreatePanelCommands();

    if (!ViewDataRef) {
        XPLMDebugString("Ostrel-Flyer: Bad DataRef (ViewData) Error!\n");
        XPLMSpeakString("Warning, The Ostrel Flyer Plugin has encountered a critical dataref error.");
    }

    if (!LoadTGA(&mytex, TextureFile)) {
        XPLMDebugString("Ostrel-Flyer: Failed to bind the master texture.\n");
        return 1;
    }
    UploadMasterTexture();
    if (mytex.pixels) {
        free(mytex.pixels);
        mytex.pixels = NULL;
    }
    LOADED = 1;
    return 1;
}

PLUGIN_API void XPluginStop(void)
{
    XPLMDestroyWindow(OurWindow);
    UnregisterPanelCommands();
}

PLUGIN_API int XPluginEnable(void)
{
    return 1;
}

PLUGIN_API void XPluginDisable(void)
{
}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID inFrom, int inMessage, void *inParam)
{
    (void)inFrom;
    (void)inMessage;
    (void)inParam;
}
