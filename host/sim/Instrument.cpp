#include "Instrument.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace sim::instrument {

// Shared with GlCount.cpp and AllocCount.cpp.
__thread bool tl_inPlugin = false;
bool g_nullGl = false;
uint64_t g_glCalls = 0;
uint64_t g_allocations = 0;
uintptr_t g_codeBegin = 0, g_codeEnd = 0;

PluginScope::PluginScope() : saved_(tl_inPlugin) { tl_inPlugin = true; }
PluginScope::~PluginScope() { tl_inPlugin = saved_; }
HostScope::HostScope() : saved_(tl_inPlugin) { tl_inPlugin = false; }
HostScope::~HostScope() { tl_inPlugin = saved_; }
NullGlScope::NullGlScope() : saved_(g_nullGl) { g_nullGl = true; }
NullGlScope::~NullGlScope() { g_nullGl = saved_; }

uint64_t GlCalls() { return g_glCalls; }
uint64_t Allocations() { return g_allocations; }

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

std::vector<std::string> ImportedGlFunctions(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::string f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto fail = [&](const char *why) { return std::runtime_error(path + ": " + why); };
    if (f.size() < sizeof(Elf64_Ehdr) || std::memcmp(f.data(), ELFMAG, SELFMAG) != 0 ||
        f[EI_CLASS] != ELFCLASS64)
        throw fail("not a 64-bit ELF file");
    Elf64_Ehdr eh;
    std::memcpy(&eh, f.data(), sizeof eh);
    auto section = [&](size_t i) {
        Elf64_Shdr sh;
        size_t at = eh.e_shoff + i * eh.e_shentsize;
        if (at + sizeof sh > f.size()) throw fail("section header out of the file");
        std::memcpy(&sh, f.data() + at, sizeof sh);
        return sh;
    };
    std::vector<std::string> out;
    for (size_t i = 0; i < eh.e_shnum; ++i) {
        Elf64_Shdr sh = section(i);
        if (sh.sh_type != SHT_DYNSYM) continue;
        Elf64_Shdr strtab = section(sh.sh_link);
        if (sh.sh_offset + sh.sh_size > f.size() || strtab.sh_offset + strtab.sh_size > f.size())
            throw fail("symbol table out of the file");
        for (size_t off = 0; off + sizeof(Elf64_Sym) <= sh.sh_size; off += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            std::memcpy(&sym, f.data() + sh.sh_offset + off, sizeof sym);
            if (sym.st_shndx != SHN_UNDEF || sym.st_name >= strtab.sh_size) continue;
            const char *name = f.data() + strtab.sh_offset + sym.st_name;
            size_t len = strnlen(name, strtab.sh_size - sym.st_name);
            std::string s(name, len);
            if (s.size() > 2 && s.compare(0, 2, "gl") == 0 && s[2] >= 'A' && s[2] <= 'Z')
                out.push_back(s);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace sim::instrument
