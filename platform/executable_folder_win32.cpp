#include <windows.h>

#include <string>

#include "executable_folder.h"
#include "text_win32.h"

namespace platform {
namespace {

std::wstring ModuleFileName() {
    std::wstring name(MAX_PATH, L'\0');
    while (true) {
        const DWORD size = static_cast<DWORD>(name.size());
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), size);
        if (length == 0) return {};
        // A name that fills the buffer has been cut short.
        if (length < size) {
            name.resize(length);
            return name;
        }
        if (size >= 32768) return {};
        name.resize(name.size() * 2);
    }
}

}  // namespace

std::string ExecutableFolder() {
    const std::wstring program = ModuleFileName();
    const std::size_t last = program.find_last_of(L"\\/");
    if (last == std::wstring::npos) return {};
    std::wstring folder = program.substr(0, last);
    // A drive root keeps its separator: "C:\", not the drive's current folder "C:".
    if (folder.empty() || folder.back() == L':') folder += L'\\';
    return win32::Narrow(folder);
}

}  // namespace platform
