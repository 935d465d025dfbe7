// What flyer-sim.exe has in place of counting, being built without the ELF
// loader's interposition: the plug-in's GL calls, allocations and textures
// are not counted (reported as zero and "n/a"; GL calls always reach the
// driver). The scopes (Scopes.cpp) are the same as on Linux.

#include "Counting.h"

namespace sim::counting {

bool GlCallsCounted() { return false; }
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

}  // namespace sim::counting
