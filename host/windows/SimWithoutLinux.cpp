// What flyer-sim.exe leaves out, being built without Cairo, GLFW and the ELF
// loader's interposition: contact sheets, the live preview window, and
// counting the plug-in's GL calls and allocations (the bench reports
// both as "n/a"). Frames, sequences, the bench timings and every end-of-run check
// work as on Linux.

#include "ContactSheet.h"
#include "Instrument.h"
#include "Modes.h"
#include "Session.h"

namespace sim {

void ContactSheet::SurfaceDeleter::operator()(cairo_surface_t *) const {}

ContactSheet::ContactSheet(std::string title, int thumbWidth, int columns)
    : title_(std::move(title)), thumbWidth_(thumbWidth), columns_(columns)
{
}

ContactSheet::~ContactSheet() = default;

void ContactSheet::Add(const Image &, double time)
{
    thumbs_.push_back({nullptr, time});
}

Image ContactSheet::Render() const
{
    throw UsageError("contact sheets (--sheet, --demo) need the Linux flyer-sim");
}

int RunWindow(const Options &)
{
    throw UsageError("--window needs the Linux flyer-sim");
}

namespace instrument {

thread_local bool tl_inPlugin = false;

bool InPlugin() { return tl_inPlugin; }
PluginScope::PluginScope() : saved_(tl_inPlugin) { tl_inPlugin = true; }
PluginScope::~PluginScope() { tl_inPlugin = saved_; }
HostScope::HostScope() : saved_(tl_inPlugin) { tl_inPlugin = false; }
HostScope::~HostScope() { tl_inPlugin = saved_; }

uint64_t GlCalls() { return 0; }
bool GlCallsCounted() { return false; }
uint64_t Allocations() { return 0; }
bool AllocationsCounted() { return false; }
void SetPluginCode(void *) {}
void ClearPluginCode() {}

const std::vector<std::string> &CountedGlFunctions()
{
    static const std::vector<std::string> none;
    return none;
}

std::vector<std::string> ImportedGlFunctions(const std::string &)
{
    return {};
}

}  // namespace instrument
}  // namespace sim
