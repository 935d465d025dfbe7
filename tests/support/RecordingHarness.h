#ifndef OSTREL_TESTS_RECORDINGHARNESS_H
#define OSTREL_TESTS_RECORDINGHARNESS_H
// A PluginHarness whose plug-in draws into RecordingGL (RecordingGL.h).
// Construction resets the recorder to a fresh context and routes the host's
// XPLMSetGraphicsState / XPLMBindTexture2d into it; what XPluginStart does to
// GL (the texture upload) is in gl() after start(). drawFrame() begins a new
// recorded frame, runs the draw callback and returns the recorder. The
// destructor fails the test on any recorded GL misuse.

#include "PluginHarness.h"
#include "RecordingGL.h"

class RecordingHarness : public PluginHarness {
public:
    explicit RecordingHarness(HarnessOptions options = {});
    ~RecordingHarness() override;

    rgl::RecordingGL &gl() { return rgl::RecordingGL::instance(); }
    const rgl::RecordingGL &drawFrame();
    // Fails the current test with every GL misuse recorded so far and clears them.
    void expectNoGLErrors();
};

#endif
