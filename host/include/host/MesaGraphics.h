#ifndef OSTREL_HOST_MESAGRAPHICS_H
#define OSTREL_HOST_MESAGRAPHICS_H
// The graphics backend that applies XPLMSetGraphicsState and XPLMBindTexture2d
// to the GL context that is current, as the simulator does. With no current
// context it does nothing. Part of ostrel_host_egl (links libGL and EGL), and
// of the Windows host beside the WGL context.

#include "host/Host.h"

namespace host {

class MesaGraphics : public GraphicsBackend {
public:
    void setGraphicsState(const GraphicsState &state) override;
    void bindTexture2d(int texture, int unit) override;
};

}  // namespace host

#endif
