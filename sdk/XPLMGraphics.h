#ifndef _XPLMGraphics_h_
#define _XPLMGraphics_h_
/* Graphics-state calls of the X-Plane plug-in SDK (subset). */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

XPLM_API void XPLMSetGraphicsState(int inEnableFog, int inNumberTexUnits, int inEnableLighting,
                                   int inEnableAlphaTesting, int inEnableAlphaBlending,
                                   int inEnableDepthTesting, int inEnableDepthWriting);
XPLM_API void XPLMBindTexture2d(int inTextureNum, int inTextureUnit);

#ifdef __cplusplus
}
#endif

#endif
