#ifndef _XPLMDefs_h_
#define _XPLMDefs_h_
/*
 * Basic definitions of the X-Plane plug-in SDK, declared by this project
 * (only what the plug-in uses), ABI-identical to the simulator's headers.
 */

#if IBM
/* Windows: the plug-in exports its entry points and imports the SDK's
   functions from XPLM_64.dll; XPLM is defined only where that DLL is built. */
#  ifdef __cplusplus
#    define PLUGIN_API extern "C" __declspec(dllexport)
#  else
#    define PLUGIN_API __declspec(dllexport)
#  endif
#  if XPLM
#    define XPLM_API __declspec(dllexport)
#  else
#    define XPLM_API __declspec(dllimport)
#  endif
#elif LIN || APL
/* Linux and macOS: the entry points are the library's only visible symbols;
   the SDK's functions are resolved from the simulator (Linux) or imported
   from XPLM.framework (macOS) when the plug-in is loaded. */
#  ifdef __cplusplus
#    define PLUGIN_API extern "C" __attribute__((visibility("default")))
#  else
#    define PLUGIN_API __attribute__((visibility("default")))
#  endif
#  define XPLM_API __attribute__((visibility("default")))
#else
#  error "This SDK declaration set supports Linux, Windows and macOS builds (define LIN=1, IBM=1 or APL=1)."
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int XPLMPluginID;
#define XPLM_NO_PLUGIN_ID (-1)

/* Modifier key flags passed to key callbacks. */
enum {
    xplm_ShiftFlag = 1,
    xplm_OptionAltFlag = 2,
    xplm_ControlFlag = 4,
    xplm_DownFlag = 8,
    xplm_UpFlag = 16
};
typedef int XPLMKeyFlags;

#ifdef __cplusplus
}
#endif

#endif
