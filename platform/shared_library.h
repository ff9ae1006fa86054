#pragma once

namespace platform {

// A library of the system loaded while the program runs, the first time it is needed, rather
// than mapped into every start. `name` is a file name the system's loader looks up
// ("libSDL2-2.0.so.0"). The library stays loaded; nullptr when it cannot be loaded.
void* LoadSharedLibrary(const char* name);

// The address of the function `symbol` of a library loaded so, or nullptr when it has none.
void* SharedLibrarySymbol(void* library, const char* symbol);

// Sets `function` to the library's function `symbol`; false when it has none.
template <typename Function>
bool FindSharedLibraryFunction(void* library, const char* symbol, Function& function) {
    function = reinterpret_cast<Function>(SharedLibrarySymbol(library, symbol));
    return function != nullptr;
}

}  // namespace platform
