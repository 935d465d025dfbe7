// Where the plug-in's code lies, for counting its allocations; see Counting.h.

#include <dlfcn.h>
#include <link.h>

#include <algorithm>

#include "State.h"
#include "Counting.h"

namespace sim::counting {

void SetPluginCode(void *dlHandle)
{
    PluginTextures().clear();
    link_map *map = nullptr;
    if (dlinfo(dlHandle, RTLD_DI_LINKMAP, &map) != 0 || !map) return;
    struct Found {
        ElfW(Addr) base;
        uintptr_t begin = UINTPTR_MAX, end = 0;
    } found{map->l_addr};
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            auto *f = static_cast<Found *>(data);
            if (info->dlpi_addr != f->base) return 0;
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr) &ph = info->dlpi_phdr[i];
                if (ph.p_type != PT_LOAD || !(ph.p_flags & PF_X)) continue;
                f->begin = std::min<uintptr_t>(f->begin, info->dlpi_addr + ph.p_vaddr);
                f->end = std::max<uintptr_t>(f->end, info->dlpi_addr + ph.p_vaddr + ph.p_memsz);
            }
            return 1;
        },
        &found);
    if (found.end > found.begin) {
        g_codeBegin = found.begin;
        g_codeEnd = found.end;
    }
}

void ClearPluginCode()
{
    g_codeBegin = g_codeEnd = 0;
}

}  // namespace sim::counting
