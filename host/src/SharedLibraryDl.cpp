#include "SharedLibrary.h"

#include <dlfcn.h>

namespace host::os {

void *OpenLibrary(const std::string &path, std::string &why)
{
    dlerror();
    void *h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char *e = dlerror();
        why = e ? e : "unknown error";
    }
    return h;
}

void *LibrarySymbol(void *handle, const char *name)
{
    return dlsym(handle, name);
}

void CloseLibrary(void *handle)
{
    dlclose(handle);
}

}  // namespace host::os
