#ifndef OSTREL_SIM_SCREEN_CONTEXTS_H
#define OSTREL_SIM_SCREEN_CONTEXTS_H
// The GL contexts a run draws in, by the renderer --gl names
// (host/Renderer.h): an offscreen context, or the preview window's, which
// is the display's and can only be asked for and checked. Both throw,
// naming --gl, where there is no such renderer, and say which renderer drew
// with `verbose` (the offscreen context also with `announce`: the bench).

#include <memory>

#include "host/OffscreenGL.h"
#include "host/Renderer.h"

namespace sim {

std::unique_ptr<host::OffscreenGL> OpenOffscreenGL(int width, int height, host::Renderer gl, bool verbose,
                                                   bool announce = false);

// Before the preview window opens: asks the display's GL for the renderer.
void AskWindowRenderer(host::Renderer gl);
// Once the window's context is current: refuses it where its driver is not
// what --gl asks.
void CheckWindowRenderer(host::Renderer gl, bool verbose);

}  // namespace sim

#endif
