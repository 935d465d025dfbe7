#include "RecordingHarness.h"

#include <gtest/gtest.h>

RecordingHarness::RecordingHarness(HarnessOptions options) : PluginHarness(std::move(options))
{
    gl().reset();
    host().setGraphicsBackend(gl().backend());
}

RecordingHarness::~RecordingHarness()
{
    expectNoGLErrors();
    // Stop while the backend is still installed; the base then finds it stopped.
    if (started()) stop();
    host().setGraphicsBackend(nullptr);
}

const rgl::RecordingGL &RecordingHarness::drawFrame()
{
    gl().beginFrame();
    PluginHarness::drawFrame();
    return gl();
}

void RecordingHarness::expectNoGLErrors()
{
    for (const std::string &e : gl().takeErrors()) ADD_FAILURE() << "GL misuse: " << e;
}
