// The XPLM functions a plug-in imports, each recorded in the call trace and
// carried out on the one host instance. Host::instance() lives in this file so
// that any program using the host links every one of these functions too.

#include <cstdio>
#include <initializer_list>
#include <string>

#include "XPLMDataAccess.h"
#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"
#include "host/Host.h"

namespace host {

Host &Host::instance()
{
    static Host h;
    return h;
}

}  // namespace host

using host::Host;

static std::string Ints(std::initializer_list<int> v)
{
    std::string s;
    for (int i : v) {
        if (!s.empty()) s += ", ";
        s += std::to_string(i);
    }
    return s;
}

// "(nil)" for null on every platform (printf's %p spells it differently).
static std::string Ptr(const void *p)
{
    if (!p) return "(nil)";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%p", p);
    return buf;
}

extern "C" {

XPLM_API XPLMWindowID XPLMCreateWindow(int inLeft, int inTop, int inRight, int inBottom,
                                       int inIsVisible, XPLMDrawWindow_f inDrawCallback,
                                       XPLMHandleKey_f inKeyCallback,
                                       XPLMHandleMouseClick_f inMouseCallback, void *inRefcon)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMCreateWindow",
            Ints({inLeft, inTop, inRight, inBottom, inIsVisible}) + ", refcon " + Ptr(inRefcon));
    return h.createWindow({inLeft, inTop, inRight, inBottom}, inIsVisible, inDrawCallback,
                          inKeyCallback, inMouseCallback, inRefcon);
}

XPLM_API void XPLMDestroyWindow(XPLMWindowID inWindowID)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMDestroyWindow", Ptr(inWindowID));
    h.destroyWindow(inWindowID);
}

XPLM_API void XPLMGetScreenSize(int *outWidth, int *outHeight)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMGetScreenSize", "");
    if (outWidth) *outWidth = h.screenWidth();
    if (outHeight) *outHeight = h.screenHeight();
}

XPLM_API void XPLMGetWindowGeometry(XPLMWindowID inWindowID, int *outLeft, int *outTop,
                                    int *outRight, int *outBottom)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMGetWindowGeometry", Ptr(inWindowID));
    host::Window *w = h.liveWindow(inWindowID, "XPLMGetWindowGeometry");
    host::Rect r = w ? w->rect : host::Rect{};
    if (outLeft) *outLeft = r.left;
    if (outTop) *outTop = r.top;
    if (outRight) *outRight = r.right;
    if (outBottom) *outBottom = r.bottom;
}

XPLM_API void XPLMSetWindowGeometry(XPLMWindowID inWindowID, int inLeft, int inTop, int inRight,
                                    int inBottom)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMSetWindowGeometry", Ints({inLeft, inTop, inRight, inBottom}));
    if (host::Window *w = h.liveWindow(inWindowID, "XPLMSetWindowGeometry")) {
        w->rect = {inLeft, inTop, inRight, inBottom};
        w->geometrySets++;
    }
}

XPLM_API XPLMDataRef XPLMFindDataRef(const char *inDataRefName)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMFindDataRef", inDataRefName ? inDataRefName : "(null)");
    return h.findDataRef(inDataRefName);
}

static std::string RefName(XPLMDataRef ref)
{
    for (const auto &d : Host::instance().dataRefs())
        if (d.get() == ref) return d->name;
    return ref ? "(unknown " + Ptr(ref) + ")" : "(null)";
}

XPLM_API int XPLMGetDatai(XPLMDataRef inDataRef)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMGetDatai", RefName(inDataRef));
    host::DataRef *d = h.readable(inDataRef, host::DataType::Int, "XPLMGetDatai");
    return d ? d->i : 0;
}

XPLM_API float XPLMGetDataf(XPLMDataRef inDataRef)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMGetDataf", RefName(inDataRef));
    host::DataRef *d = h.readable(inDataRef, host::DataType::Float, "XPLMGetDataf");
    return d ? d->f : 0.0f;
}

XPLM_API int XPLMGetDatavf(XPLMDataRef inDataRef, float *outValues, int inOffset, int inMax)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMGetDatavf", RefName(inDataRef) + ", " + Ints({inOffset, inMax}));
    host::DataRef *d = h.readable(inDataRef, host::DataType::FloatArray, "XPLMGetDatavf");
    if (!d) return 0;
    int size = int(d->fv.size());
    if (!outValues) return size;
    if (inOffset < 0 || inMax < 0) {
        h.error("XPLMGetDatavf: negative offset or count for " + d->name);
        return 0;
    }
    int n = 0;
    for (int i = inOffset; i < size && n < inMax; i++) outValues[n++] = d->fv[size_t(i)];
    return n;
}

XPLM_API XPLMCommandRef XPLMCreateCommand(const char *inName, const char *inDescription)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMCreateCommand", std::string(inName ? inName : "(null)") + ", " +
                                     (inDescription ? inDescription : "(null)"));
    return h.createCommand(inName, inDescription);
}

static std::string CommandName(XPLMCommandRef ref)
{
    for (const auto &c : Host::instance().commands())
        if (c.get() == ref) return c->name;
    return ref ? "(unknown " + Ptr(ref) + ")" : "(null)";
}

XPLM_API void XPLMRegisterCommandHandler(XPLMCommandRef inComand, XPLMCommandCallback_f inHandler,
                                         int inBefore, void *inRefcon)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMRegisterCommandHandler", CommandName(inComand) + ", before " +
                                              std::to_string(inBefore) + ", refcon " +
                                              Ptr(inRefcon));
    h.registerHandler(inComand, inHandler, inBefore, inRefcon);
}

XPLM_API void XPLMUnregisterCommandHandler(XPLMCommandRef inComand,
                                           XPLMCommandCallback_f inHandler, int inBefore,
                                           void *inRefcon)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMUnregisterCommandHandler", CommandName(inComand) + ", before " +
                                                std::to_string(inBefore) + ", refcon " +
                                                Ptr(inRefcon));
    h.unregisterHandler(inComand, inHandler, inBefore, inRefcon);
}

XPLM_API void XPLMSetGraphicsState(int inEnableFog, int inNumberTexUnits, int inEnableLighting,
                                   int inEnableAlphaTesting, int inEnableAlphaBlending,
                                   int inEnableDepthTesting, int inEnableDepthWriting)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMSetGraphicsState",
            Ints({inEnableFog, inNumberTexUnits, inEnableLighting, inEnableAlphaTesting,
                  inEnableAlphaBlending, inEnableDepthTesting, inEnableDepthWriting}));
    h.setGraphicsState({inEnableFog, inNumberTexUnits, inEnableLighting, inEnableAlphaTesting,
                        inEnableAlphaBlending, inEnableDepthTesting, inEnableDepthWriting});
}

XPLM_API void XPLMBindTexture2d(int inTextureNum, int inTextureUnit)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMBindTexture2d", Ints({inTextureNum, inTextureUnit}));
    h.bindTexture2d(inTextureNum, inTextureUnit);
}

XPLM_API float XPLMGetElapsedTime(void)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMGetElapsedTime", "");
    return h.elapsedTime();
}

XPLM_API void XPLMDebugString(const char *inString)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMDebugString", inString ? inString : "(null)");
    h.debugString(inString);
}

XPLM_API void XPLMSpeakString(const char *inString)
{
    Host &h = Host::instance();
    if (h.tracing()) h.trace("XPLMSpeakString", inString ? inString : "(null)");
    h.speakString(inString);
}

}  // extern "C"
