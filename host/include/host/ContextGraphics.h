#ifndef OSTREL_HOST_CONTEXTGRAPHICS_H
#define OSTREL_HOST_CONTEXTGRAPHICS_H
// The graphics backend that applies XPLMSetGraphicsState and XPLMBindTexture2d
// to the GL context that is current, as the simulator does: whatever made
// the context (EGL, WGL, a preview window) and whatever renders it (Mesa, a
// GPU's driver). With no current context it does nothing. Part of
// ostrel_host_gl, beside the offscreen contexts.

#include "host/Host.h"
#include "host/OffscreenGL.h"

namespace host {

class ContextGraphics : public GraphicsBackend {
public:
    void setGraphicsState(const GraphicsState &state) final;
    void bindTexture2d(int texture, int unit) final;

protected:
    // The hook around each call's GL work: enter() says whether to do it,
    // leave() follows work that was done. By default the work is done while
    // some context is current. A host that also draws into contexts of its
    // own making (flyer-sim's preview window) can say always, and set its
    // bookkeeping around the calls.
    virtual bool enter() { return OffscreenGL::anyCurrent(); }
    virtual void leave() {}
};

}  // namespace host

#endif
