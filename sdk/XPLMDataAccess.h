#ifndef _XPLMDataAccess_h_
#define _XPLMDataAccess_h_
/* Dataref reads of the X-Plane plug-in SDK (subset). */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void *XPLMDataRef;

XPLM_API XPLMDataRef XPLMFindDataRef(const char *inDataRefName);
XPLM_API int XPLMGetDatai(XPLMDataRef inDataRef);
XPLM_API float XPLMGetDataf(XPLMDataRef inDataRef);
/* outValues NULL returns the array's size; otherwise copies at most inMax
 * elements starting at inOffset and returns how many were copied. */
XPLM_API int XPLMGetDatavf(XPLMDataRef inDataRef, float *outValues, int inOffset, int inMax);

#ifdef __cplusplus
}
#endif

#endif
