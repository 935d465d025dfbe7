#include "ElfImports.h"

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace sim::counting {

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
    // Offsets and sizes come from the file: compared without sums that could wrap.
    auto inside = [&](uint64_t offset, uint64_t size) { return offset <= f.size() && size <= f.size() - offset; };
    auto section = [&](size_t i) {
        Elf64_Shdr sh;
        if (eh.e_shoff > f.size()) throw fail("section header out of the file");
        const uint64_t at = eh.e_shoff + uint64_t(i) * eh.e_shentsize;
        if (!inside(at, sizeof sh)) throw fail("section header out of the file");
        std::memcpy(&sh, f.data() + at, sizeof sh);
        return sh;
    };
    std::vector<std::string> out;
    for (size_t i = 0; i < eh.e_shnum; ++i) {
        Elf64_Shdr sh = section(i);
        if (sh.sh_type != SHT_DYNSYM) continue;
        Elf64_Shdr strtab = section(sh.sh_link);
        if (!inside(sh.sh_offset, sh.sh_size) || !inside(strtab.sh_offset, strtab.sh_size))
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

}  // namespace sim::counting
