#ifndef OSTREL_TESTS_ELFSYMBOLS_H
#define OSTREL_TESTS_ELFSYMBOLS_H
// The dynamic symbol table of a 64-bit ELF file, read straight from the file.

#include <string>
#include <vector>

struct ElfSymbol {
    std::string name;
    bool defined = false;  // has a section (not an import)
    int bind = 0;          // STB_LOCAL, STB_GLOBAL, STB_WEAK, STB_GNU_UNIQUE
    int type = 0;          // STT_FUNC, STT_OBJECT, ...
    int visibility = 0;    // STV_DEFAULT, ...
};

// Throws std::runtime_error when the file is not a readable ELF64 object.
std::vector<ElfSymbol> ReadDynamicSymbols(const std::string &path);

#endif
