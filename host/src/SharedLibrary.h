#ifndef OSTREL_HOST_SHAREDLIBRARY_H
#define OSTREL_HOST_SHAREDLIBRARY_H
// The operating system's shared-library calls behind PluginLibrary: dlopen on
// Linux (SharedLibraryDl.cpp), LoadLibrary on Windows (SharedLibraryWin.cpp).

#include <string>

namespace host::os {

// Opens the library with every import bound now; null, with the system's
// reason in 'why', on failure.
void *OpenLibrary(const std::string &path, std::string &why);
void *LibrarySymbol(void *handle, const char *name);
void CloseLibrary(void *handle);

}  // namespace host::os

#endif
