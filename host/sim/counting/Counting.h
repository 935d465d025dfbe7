#ifndef OSTREL_SIM_COUNTING_COUNTING_H
#define OSTREL_SIM_COUNTING_COUNTING_H
// Counting what the plug-in does inside its callbacks.
//
// GL calls: flyer-sim exports its own definitions of the gl* functions a
// plug-in uses (GlCount.cpp). The dlopen'ed plug-in's gl* imports resolve to
// the executable's definitions first, as any symbol a plug-in imports from
// the global scope does; each counts the call while a PluginScope is open and
// forwards to libGL's function found with dlsym(RTLD_NEXT). Calls the host
// makes for the plug-in (graphics state, texture binds) run in a HostScope
// and are not counted.
//
// Heap allocations: flyer-sim defines malloc, calloc, realloc, the aligned
// allocators and free, forwarding to glibc's __libc_* functions
// (AllocCount.cpp). An allocation counts when a PluginScope is open on the
// calling thread and the allocator's caller lies in the plug-in's code
// (PluginCode.cpp; so the host's and the GL driver's own allocations are not
// counted, the plug-in's operator new, carried inside it, is). Under
// AddressSanitizer, which owns malloc, counting is off and reported as "n/a".
//
// The Windows build has the scopes (Scopes.cpp) and counts nothing
// (NotCounted.cpp).

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace sim::counting {

// Sets one of the flags the counting definitions read for its lifetime,
// then puts back what was there.
class FlagScope {
public:
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

protected:
    FlagScope(bool &flag, bool value) : flag_(flag), saved_(flag) { flag = value; }

private:
    bool &flag_;
    bool saved_;
};

// The plug-in's own calls, on this thread.
struct PluginScope : FlagScope {
    PluginScope();
};

// Calls the host makes for the plug-in, inside a PluginScope.
struct HostScope : FlagScope {
    HostScope();
};

// While a NullGlScope is open, the plug-in's GL calls are counted and go no
// further (queries such as glGet*, glIsEnabled and glGenTextures still reach
// libGL): its draw callback then costs its own work and no driver work.
struct NullGlScope : FlagScope {
    NullGlScope();
};

uint64_t GlCalls();
bool GlCallsCounted();  // false where the plug-in's GL imports cannot be intercepted (Windows)
uint64_t Allocations();
bool AllocationsCounted();  // false under AddressSanitizer

// The plug-in's executable segments, found from its dlopen handle.
void SetPluginCode(void *dlHandle);
void ClearPluginCode();

// Texture names the plug-in generated and has not deleted (a new load
// starts with none).
std::set<unsigned> &PluginTextures();

// The gl* functions flyer-sim counts.
const std::vector<std::string> &CountedGlFunctions();
// The gl* functions the plug-in file imports (ElfSymbols.h), sorted; none
// where nothing is counted. Throws std::runtime_error for a file that is no
// 64-bit ELF library.
std::vector<std::string> ImportedGlFunctions(const std::string &plugin);

}  // namespace sim::counting

#endif
