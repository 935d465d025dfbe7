#include "SharedLibrary.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace host::os {

void *OpenLibrary(const std::string &path, std::string &why)
{
    // The library's own folder is searched for its dependencies, as the
    // simulator's plug-in manager does; XPLM_64.dll is already loaded.
    HMODULE h = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!h) {
        const DWORD code = GetLastError();
        char *text = nullptr;
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
        why = "Windows error " + std::to_string(code);
        if (text) {
            std::string t = text;
            while (!t.empty() && (t.back() == '\n' || t.back() == '\r' || t.back() == ' ')) t.pop_back();
            why += " (" + t + ")";
            LocalFree(text);
        }
    }
    return reinterpret_cast<void *>(h);
}

void *LibrarySymbol(void *handle, const char *name)
{
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void CloseLibrary(void *handle)
{
    FreeLibrary(static_cast<HMODULE>(handle));
}

}  // namespace host::os
