// Applies the simulator's graphics calls to the current GL context.

#include "host/ContextGraphics.h"

#include <GL/gl.h>


namespace host {

static void Set(GLenum cap, bool on)
{
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

void ContextGraphics::setGraphicsState(const GraphicsState &s)
{
    if (!enter()) return;
    Set(GL_FOG, s.fog != 0);
    Set(GL_LIGHTING, s.lighting != 0);
    Set(GL_ALPHA_TEST, s.alphaTesting != 0);
    Set(GL_BLEND, s.alphaBlending != 0);
    Set(GL_DEPTH_TEST, s.depthTesting != 0);
    glDepthMask(s.depthWriting ? GL_TRUE : GL_FALSE);
    // Only texture unit 0 exists for this plug-in's purposes.
    Set(GL_TEXTURE_2D, s.textureUnits > 0);
    leave();
}

void ContextGraphics::bindTexture2d(int texture, int unit)
{
    if (unit != 0 || !enter()) return;
    glBindTexture(GL_TEXTURE_2D, GLuint(texture));
    leave();
}

}  // namespace host
