#include <dlfcn.h>

#include "shared_library.h"

namespace platform {

void* LoadSharedLibrary(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }

void* SharedLibrarySymbol(void* library, const char* symbol) { return dlsym(library, symbol); }

}  // namespace platform
