#include "MesaHarness.h"

MesaHarness::MesaHarness(HarnessOptions options, host::Renderer renderer) : PluginHarness(std::move(options))
{
    context_ = std::make_unique<host::OffscreenGL>(options_.screenWidth, options_.screenHeight, renderer);
    host().setGraphicsBackend(&graphics_);
}

MesaHarness::~MesaHarness()
{
    if (started()) stop();
    host().setGraphicsBackend(nullptr);
}

void MesaHarness::drawFrame()
{
    context_->makeCurrent();
    context_->setWindowProjection();
    context_->clear(background_.r, background_.g, background_.b, background_.a);
    PluginHarness::drawFrame();
    context_->finish();
}
