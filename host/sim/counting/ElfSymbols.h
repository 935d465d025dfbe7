#ifndef OSTREL_SIM_COUNTING_ELFSYMBOLS_H
#define OSTREL_SIM_COUNTING_ELFSYMBOLS_H
// The dynamic symbol table of a 64-bit ELF file, read straight from the
// file: the bench warns of gl* functions a plug-in imports that flyer-sim
// does not count (counting::ImportedGlFunctions), and the plug-in's tests
// check what it exports. Linux only (sim_elf).

#include <string>
#include <vector>

namespace sim {

struct ElfSymbol {
    std::string name;
    bool defined = false;  // has a section (not an import)
    int bind = 0;          // STB_LOCAL, STB_GLOBAL, STB_WEAK, STB_GNU_UNIQUE
    int type = 0;          // STT_FUNC, STT_OBJECT, ...
    int visibility = 0;    // STV_DEFAULT, ...
};

// Every symbol of the file's dynamic symbol tables but the null one, in
// table order. Throws std::runtime_error, naming the file, when it is not a
// 64-bit ELF file or a header, a table or a name lies outside it.
std::vector<ElfSymbol> ReadDynamicSymbols(const std::string &path);

}  // namespace sim

#endif
