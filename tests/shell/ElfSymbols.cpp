#include "ElfSymbols.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

template <typename T>
static T At(const std::vector<char> &f, size_t off)
{
    if (off + sizeof(T) > f.size()) throw std::runtime_error("ELF file truncated");
    T v;
    std::memcpy(&v, f.data() + off, sizeof v);
    return v;
}

std::vector<ElfSymbol> ReadDynamicSymbols(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (f.size() < sizeof(Elf64_Ehdr) || std::memcmp(f.data(), ELFMAG, SELFMAG) != 0 ||
        f[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error(path + " is not an ELF64 file");
    auto eh = At<Elf64_Ehdr>(f, 0);
    std::vector<ElfSymbol> out;
    for (int i = 0; i < eh.e_shnum; i++) {
        auto sh = At<Elf64_Shdr>(f, eh.e_shoff + size_t(i) * eh.e_shentsize);
        if (sh.sh_type != SHT_DYNSYM) continue;
        auto strtab = At<Elf64_Shdr>(f, eh.e_shoff + size_t(sh.sh_link) * eh.e_shentsize);
        for (size_t off = sh.sh_offset + sizeof(Elf64_Sym); off < sh.sh_offset + sh.sh_size;
             off += sizeof(Elf64_Sym)) {  // entry 0 is the null symbol
            auto sym = At<Elf64_Sym>(f, off);
            size_t nameOff = strtab.sh_offset + sym.st_name;
            if (nameOff >= f.size()) throw std::runtime_error("ELF symbol name out of range");
            ElfSymbol s;
            s.name = std::string(f.data() + nameOff, strnlen(f.data() + nameOff, f.size() - nameOff));
            s.defined = sym.st_shndx != SHN_UNDEF;
            s.bind = ELF64_ST_BIND(sym.st_info);
            s.type = ELF64_ST_TYPE(sym.st_info);
            s.visibility = ELF64_ST_VISIBILITY(sym.st_other);
            out.push_back(s);
        }
    }
    return out;
}
