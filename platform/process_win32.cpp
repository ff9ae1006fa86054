#include <windows.h>
// Needs the types of windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

#include "os_win32.h"
#include "process.h"
#include "text_win32.h"

namespace platform {
namespace {

bool IsFile(const std::string& path) {
    const std::optional<std::wstring> wide = win32::Widen(path);
    if (!wide || wide->empty()) return false;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Whether the last component of a path has an extension of its own.
bool HasExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot != std::string::npos && path.find_first_of("\\/", dot) == std::string::npos;
}

// The file the system runs for one candidate name: the name itself when it has an extension,
// otherwise the name with ".exe" added, as the system looks for it.
std::string RunnableFile(const std::string& name) {
    if (HasExtension(name)) return IsFile(name) ? name : std::string();
    const std::string withExe = name + ".exe";
    return IsFile(withExe) ? withExe : std::string();
}

// What ShellExecute's small result codes mean; the others share their numbers with the system's
// error codes.
std::string ShellExecuteErrorText(INT_PTR code) {
    switch (code) {
        case 0:
        case SE_ERR_OOM:
            return win32::ErrorText(ERROR_NOT_ENOUGH_MEMORY);
        case SE_ERR_NOASSOC:
        case SE_ERR_ASSOCINCOMPLETE:
            return win32::ErrorText(ERROR_NO_ASSOCIATION);
        case SE_ERR_SHARE:
            return win32::ErrorText(ERROR_SHARING_VIOLATION);
        case SE_ERR_DLLNOTFOUND:
            return win32::ErrorText(ERROR_DLL_NOT_FOUND);
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return win32::ErrorText(ERROR_DDE_FAIL);
        default:
            return win32::ErrorText(static_cast<DWORD>(code));
    }
}

}  // namespace

// CreateProcess reads an unquoted program path that holds spaces by trying each prefix that ends
// at a space, shortest first, with ".exe" added to a name without an extension.
ProgramAndArguments FindProgram(const std::string& commandLine) {
    if (commandLine.empty()) return {};
    if (commandLine[0] == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        const std::string quoted =
            commandLine.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
        std::string rest = closing == std::string::npos ? "" : commandLine.substr(closing + 1);
        if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        return {RunnableFile(quoted), rest};
    }
    std::size_t space = commandLine.find(' ');
    while (true) {
        const std::string program = RunnableFile(commandLine.substr(0, space));
        if (!program.empty()) {
            return {program, space == std::string::npos ? "" : commandLine.substr(space + 1)};
        }
        if (space == std::string::npos) return {};
        space = commandLine.find(' ', space + 1);
    }
}

namespace {

// Runs `commandLine`; `application`, when not empty, is the program file itself, so that the
// system does not look for it in the line.
bool Create(const std::string& application, const std::string& commandLine, std::string& why) {
    if (commandLine.empty()) {
        why = "the command line is empty";
        return false;
    }
    const std::optional<std::wstring> wide = win32::Widen(commandLine);
    if (!wide) {
        why = "the command line holds a NUL character or is not valid text";
        return false;
    }
    std::optional<std::wstring> wideApplication;
    if (!application.empty()) {
        wideApplication = win32::Widen(application);
        if (!wideApplication) {
            why = "the program path is not valid text";
            return false;
        }
    }
    // CreateProcessW may write into the line it is given.
    std::vector<wchar_t> writable(wide->begin(), wide->end());
    writable.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(wideApplication ? wideApplication->c_str() : nullptr, writable.data(),
                       nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started) == 0) {
        why = win32::ErrorText(GetLastError());
        return false;
    }
    // Nothing waits for the program, so nothing keeps it.
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

// The program's own file is named to the system, and its path is quoted at the start of the
// line, so that neither the system nor the started program's reading of its line takes a
// shorter prefix of the path for the program.
bool CreateForProgram(const std::string& program, const std::string& commandLine,
                      std::string& why) {
    const bool lineBeginsWithProgram =
        !program.empty() && program[0] != '"' &&
        commandLine.compare(0, program.size(), program) == 0 &&
        (commandLine.size() == program.size() || commandLine[program.size()] == ' ');
    if (lineBeginsWithProgram) {
        const std::string file = RunnableFile(program);
        if (!file.empty()) {
            return Create(file, '"' + program + '"' + commandLine.substr(program.size()), why);
        }
    }
    return Create("", commandLine, why);
}

}  // namespace

// The line goes to the system as it is; the started program splits it itself.
bool StartCommandLine(const std::string& commandLine, std::string* error) {
    std::string why;
    return Create("", commandLine, why) || Fail(error, Cannot("start", commandLine), why);
}

bool StartProgram(const std::string& program, const std::string& commandLine, std::string* error) {
    std::string why;
    return CreateForProgram(program, commandLine, why) ||
           Fail(error, Cannot("start", commandLine), why);
}

// The started program reads its own line: nothing is escaped.
std::string ProtectQuotes(const std::string& piece) { return piece; }

// Some file types open through shell extensions that need COM on the calling thread; the
// windows' thread has it, as Qt sets it up there for drag and drop.
bool OpenWithSystem(const std::string& path, std::string* error) {
    if (path.empty()) return Fail(error, Cannot("open"), "no path was given");
    const std::optional<std::wstring> wide = win32::Widen(path);
    if (!wide) {
        return Fail(error, Cannot("open", path),
                    "the path holds a NUL character or is not valid text");
    }
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", wide->c_str(), nullptr, L"c:\\", SW_SHOWNORMAL);
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code > 32) return true;
    return Fail(error, Cannot("open", path), ShellExecuteErrorText(code));
}

}  // namespace platform
