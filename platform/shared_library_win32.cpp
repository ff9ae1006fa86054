#include <windows.h>

#include <string>

#include "shared_library.h"

namespace platform {

void* LoadSharedLibrary(const char* name) {
    // Library names are ASCII; only the system's folders and the program's own are searched.
    const std::wstring wide(name, name + std::char_traits<char>::length(name));
    return LoadLibraryExW(wide.c_str(), nullptr,
                          LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void* SharedLibrarySymbol(void* library, const char* symbol) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), symbol));
}

}  // namespace platform
