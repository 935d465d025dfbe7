// Heap allocation counting; see Counting.h. Under AddressSanitizer the
// sanitizer owns the allocator and these definitions are left out.

#include <cstddef>
#include <cstdint>

#include "State.h"
#include "Counting.h"

#if defined(__SANITIZE_ADDRESS__)
#define OSTREL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OSTREL_ASAN 1
#endif
#endif

namespace sim::counting {

#ifdef OSTREL_ASAN
bool AllocationsCounted() { return false; }
#else
bool AllocationsCounted() { return true; }

static inline void Count(void *caller)
{
    if (tl_inPlugin) {
        uintptr_t a = reinterpret_cast<uintptr_t>(caller);
        if (a >= g_codeBegin && a < g_codeEnd) ++g_allocations;
    }
}
#endif

}  // namespace sim::counting

#ifndef OSTREL_ASAN
extern "C" {
void *__libc_malloc(size_t size);
void __libc_free(void *p);
void *__libc_calloc(size_t n, size_t size);
void *__libc_realloc(void *p, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void *__libc_valloc(size_t size);
void *__libc_pvalloc(size_t size);

using sim::counting::Count;

void *malloc(size_t size) noexcept
{
    Count(__builtin_return_address(0));
    return __libc_malloc(size);
}

void free(void *p) noexcept
{
    __libc_free(p);
}

void *calloc(size_t n, size_t size) noexcept
{
    Count(__builtin_return_address(0));
    return __libc_calloc(n, size);
}

void *realloc(void *p, size_t size) noexcept
{
    Count(__builtin_return_address(0));
    return __libc_realloc(p, size);
}

void *memalign(size_t alignment, size_t size) noexcept
{
    Count(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

void *aligned_alloc(size_t alignment, size_t size) noexcept
{
    Count(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

int posix_memalign(void **out, size_t alignment, size_t size) noexcept
{
    Count(__builtin_return_address(0));
    if (alignment == 0 || alignment % sizeof(void *) != 0 || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
    void *p = __libc_memalign(alignment, size);
    if (!p && size) return 12;  // ENOMEM
    *out = p;
    return 0;
}

void *valloc(size_t size) noexcept
{
    Count(__builtin_return_address(0));
    return __libc_valloc(size);
}

void *pvalloc(size_t size) noexcept
{
    Count(__builtin_return_address(0));
    return __libc_pvalloc(size);
}
}
#endif
