#include <unistd.h>

#include <cerrno>
#include <string>

#include "executable_folder.h"

namespace platform {
namespace {

std::string ReadLink(const char* link) {
    std::string target(256, '\0');
    while (true) {
        const ssize_t length = readlink(link, target.data(), target.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

std::string CurrentFolder() {
    std::string folder(256, '\0');
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    return folder;
}

}  // namespace

std::string ExecutableFolder() {
    const std::string program = ReadLink("/proc/self/exe");
    // Without /proc the program's own file cannot be found; the folder it was started from is
    // the best remaining guess.
    if (program.empty() || program[0] != '/') return CurrentFolder();
    const std::size_t last = program.rfind('/');
    return last == 0 ? "/" : program.substr(0, last);
}

}  // namespace platform
