#ifndef OSTREL_SIM_COUNTING_STATE_H
#define OSTREL_SIM_COUNTING_STATE_H
// The flags the scopes set and the counts the counting definitions keep
// (Counting.h is the room's interface).
// Plain globals: the GL and allocator definitions read them on every call.

#include <cstdint>

namespace sim::counting {

extern __thread bool tl_inPlugin;  // a PluginScope is open on this thread
extern bool g_nullGl;              // a NullGlScope is open
extern uint64_t g_glCalls;
extern uint64_t g_allocations;
extern uintptr_t g_codeBegin, g_codeEnd;  // the plug-in's executable segments

}  // namespace sim::counting

#endif
