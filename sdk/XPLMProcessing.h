#ifndef _XPLMProcessing_h_
#define _XPLMProcessing_h_
/* Timing calls of the X-Plane plug-in SDK (subset). */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

XPLM_API float XPLMGetElapsedTime(void);

#ifdef __cplusplus
}
#endif

#endif
