// The scopes and the counters they guard; see Counting.h.

#include "State.h"
#include "Counting.h"

namespace sim::counting {

__thread bool tl_inPlugin = false;
bool g_nullGl = false;
uint64_t g_glCalls = 0;
uint64_t g_allocations = 0;
uintptr_t g_codeBegin = 0, g_codeEnd = 0;

PluginScope::PluginScope() : FlagScope(tl_inPlugin, true) {}
HostScope::HostScope() : FlagScope(tl_inPlugin, false) {}
NullGlScope::NullGlScope() : FlagScope(g_nullGl, true) {}

uint64_t GlCalls() { return g_glCalls; }
uint64_t Allocations() { return g_allocations; }

std::set<unsigned> &PluginTextures()
{
    static std::set<unsigned> names;
    return names;
}

}  // namespace sim::counting
