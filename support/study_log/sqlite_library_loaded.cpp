#include <optional>

#include "platform/shared_library.h"
#include "support/study_log/sqlite_library.h"

namespace sqlite {

const char* const kLibraryName = "libsqlite3.so.0";

const Library* Loaded() {
    // Loaded once, by whichever thread asks first; C++ makes the others wait for it.
    static const std::optional<Library> library = []() -> std::optional<Library> {
        void* handle = platform::LoadSharedLibrary(kLibraryName);
        if (handle == nullptr) return std::nullopt;
        Library found{};
        bool complete = true;
#define QUILL_SQLITE_RESOLVE(name) \
    complete =                     \
        complete && platform::FindSharedLibraryFunction(handle, "sqlite3_" #name, found.name);
        QUILL_SQLITE_FUNCTIONS(QUILL_SQLITE_RESOLVE)
#undef QUILL_SQLITE_RESOLVE
        if (!complete) return std::nullopt;
        return found;
    }();
    return library ? &*library : nullptr;
}

}  // namespace sqlite
