#include "support/outside_world.h"

#include <cstdio>

#include "platform/process.h"
#include "platform/sleep.h"
#include "platform/sound.h"

namespace outside {
namespace {

OutsideWorld* g_installedWorld = nullptr;
MessageService* g_messages = nullptr;

}  // namespace

bool RealWorld::StartCommandLine(const std::string& program, const std::string& commandLine,
                                 std::string* error) {
    return platform::StartProgram(program, commandLine, error);
}

bool RealWorld::OpenWithSystem(const std::string& path, std::string* error) {
    return platform::OpenWithSystem(path, error);
}

void RealWorld::PlayWaveFile(const std::string& path) { platform::PlayWaveFile(path); }

void RealWorld::SleepMilliseconds(int milliseconds) { platform::SleepMilliseconds(milliseconds); }

void RealWorld::ShowMessage(const std::string& text) {
    if (g_messages != nullptr) {
        g_messages->Show(text);
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

void RealWorld::LogWarning(const std::string& text) {
    if (g_messages != nullptr) {
        g_messages->LogWarning(text);
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

std::time_t RealWorld::Now() { return std::time(nullptr); }

OutsideWorld& World() {
    static RealWorld real;
    return g_installedWorld != nullptr ? *g_installedWorld : real;
}

void InstallWorld(OutsideWorld* world) { g_installedWorld = world; }

void InstallMessageService(MessageService* service) { g_messages = service; }

}  // namespace outside
