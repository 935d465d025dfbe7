#include "ElfSymbols.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace sim {

std::vector<ElfSymbol> ReadDynamicSymbols(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot read it");
    const std::string f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto fail = [&](const char *why) { return std::runtime_error(path + ": " + why); };
    if (f.size() < sizeof(Elf64_Ehdr) || std::memcmp(f.data(), ELFMAG, SELFMAG) != 0 || f[EI_CLASS] != ELFCLASS64)
        throw fail("not a 64-bit ELF file");
    // Offsets and sizes come from the file: compared without sums that could wrap.
    auto inside = [&](uint64_t offset, uint64_t size) { return offset <= f.size() && size <= f.size() - offset; };
    auto read = [&](auto &out, uint64_t offset, const char *what) {
        if (!inside(offset, sizeof out)) throw fail(what);
        std::memcpy(&out, f.data() + offset, sizeof out);
    };
    Elf64_Ehdr eh;
    read(eh, 0, "not a 64-bit ELF file");
    auto section = [&](uint64_t i) {
        Elf64_Shdr sh;
        if (eh.e_shentsize < sizeof sh || i >= eh.e_shnum) throw fail("section header out of the file");
        // At most 65535 headers of at most 65535 bytes: no product wraps.
        const uint64_t at = i * eh.e_shentsize;
        if (eh.e_shoff > f.size() || at > f.size() - eh.e_shoff) throw fail("section header out of the file");
        read(sh, eh.e_shoff + at, "section header out of the file");
        return sh;
    };
    std::vector<ElfSymbol> out;
    for (uint64_t i = 0; i < eh.e_shnum; ++i) {
        const Elf64_Shdr sh = section(i);
        if (sh.sh_type != SHT_DYNSYM) continue;
        const Elf64_Shdr strtab = section(sh.sh_link);
        if (!inside(sh.sh_offset, sh.sh_size) || !inside(strtab.sh_offset, strtab.sh_size))
            throw fail("symbol table out of the file");
        // Entry 0 is the null symbol.
        for (uint64_t off = sizeof(Elf64_Sym); off <= sh.sh_size && sizeof(Elf64_Sym) <= sh.sh_size - off;
             off += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            read(sym, sh.sh_offset + off, "symbol table out of the file");
            if (sym.st_name >= strtab.sh_size) throw fail("symbol name out of its string table");
            const char *name = f.data() + strtab.sh_offset + sym.st_name;
            ElfSymbol s;
            s.name.assign(name, strnlen(name, strtab.sh_size - sym.st_name));
            s.defined = sym.st_shndx != SHN_UNDEF;
            s.bind = ELF64_ST_BIND(sym.st_info);
            s.type = ELF64_ST_TYPE(sym.st_info);
            s.visibility = ELF64_ST_VISIBILITY(sym.st_other);
            out.push_back(std::move(s));
        }
    }
    return out;
}

}  // namespace sim
