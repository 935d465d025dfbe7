// The five entry points the simulator's plug-in manager calls.

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "PluginGL.h"

#include "Panel.h"
#include "FlightData.h"

// GL errors left pending by whoever drew before are not the upload's; the
// queue holds one flag per kind of error, so a few reads empty it.
static void ClearGLErrors(void)
{
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; i++) {
    }
}

// Uploads the decoded master texture into the simulator's current context.
// The loader packs rows without padding (a 24-bit row 1023 texels wide is
// 3069 bytes), so the upload reads them byte-aligned and then puts the
// simulator's unpack alignment back. An image the GL refuses (larger than
// its texture size limit, or past its memory) is reported like a file that
// cannot be read: the texture name is deleted again and 0 is returned.
static bool UploadMasterTexture(void)
{
    GLuint name = 0;
    GLint alignment = 4;
    ClearGLErrors();
    glGenTextures(1, &name);
    mytex.textureName = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, (GLint)(mytex.bitsPerPixel / 8), (GLsizei)mytex.imageWidth,
                 (GLsizei)mytex.imageHeight, 0, mytex.pixelFormat, GL_UNSIGNED_BYTE, mytex.pixels);
    GLenum error = glGetError();
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    if (error != GL_NO_ERROR) {
        char line[128];
        snprintf(line, sizeof line,
                 "Ostrel-Flyer: The GL refused the master texture (%u x %u, error 0x%04x).\n",
                 (unsigned)mytex.imageWidth, (unsigned)mytex.imageHeight, (unsigned)error);
        XPLMDebugString(line);
        glDeleteTextures(1, &name);
        mytex.textureName = 0;
        return 0;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return 1;
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
    bool uploaded = UploadMasterTexture();
    if (mytex.pixels) {
        free(mytex.pixels);
        mytex.pixels = NULL;
    }
    LOADED = uploaded;
    return 1;
}

PLUGIN_API void XPluginStop(void)
{
    XPLMDestroyWindow(OurWindow);
    UnregisterPanelCommands();
    // The simulator keeps its context across a reload of its plug-ins: a
    // texture left behind would stay there until it quits.
    if (LOADED) {
        GLuint name = mytex.textureName;
        glDeleteTextures(1, &name);
        mytex.textureName = 0;
        LOADED = 0;
    }
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
