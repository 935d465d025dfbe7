#ifndef OSTREL_SIM_COUNTING_ELFIMPORTS_H
#define OSTREL_SIM_COUNTING_ELFIMPORTS_H
// What a plug-in file imports, read from its ELF sections: the bench warns
// of gl* functions it imports that flyer-sim does not count.

#include <string>
#include <vector>

namespace sim::counting {

// The gl* symbols an ELF shared library imports (undefined in its dynamic
// symbol table), sorted. Throws std::runtime_error if the file is not a
// 64-bit ELF or its tables lie outside it.
std::vector<std::string> ImportedGlFunctions(const std::string &path);

}  // namespace sim::counting

#endif
