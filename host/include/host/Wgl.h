#ifndef OSTREL_HOST_WGL_H
#define OSTREL_HOST_WGL_H
// What the offscreen WGL context and flyer-sim's preview window share on
// Windows (both in OffscreenWgl.cpp): one pixel format, so the two draw
// alike, and one way to word a failed Windows call.

#include <windows.h>

#include <string>

namespace host {

// "<what> failed (Windows error N)", N from GetLastError().
std::string WinError(const char *what);
// Sets dc's pixel format to 8-bit RGBA with 24-bit depth and 8-bit
// stencil, double-buffered; false (GetLastError() says why) if it can't.
bool SetGlPixelFormat(HDC dc);

}  // namespace host

#endif
