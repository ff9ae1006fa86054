#pragma once

#include <string>
#include <vector>

#include "platform/outside_world.h"

namespace testing_support {

// Stands in for the outside world while installed: records every command line, opened path,
// sound, pause and message instead of acting, so a test can check them exactly.
class RecordingWorld : public platform::OutsideWorld {
public:
    RecordingWorld() { platform::InstallWorld(this); }
    ~RecordingWorld() override { platform::InstallWorld(nullptr); }
    RecordingWorld(const RecordingWorld&) = delete;
    RecordingWorld& operator=(const RecordingWorld&) = delete;

    bool StartCommandLine(const std::string& commandLine, std::string* error) override {
        commandLines.push_back(commandLine);
        if (!startSucceeds && error != nullptr) *error = "cannot start";
        return startSucceeds;
    }
    bool OpenWithSystem(const std::string& path, std::string* error) override {
        openedPaths.push_back(path);
        if (!openSucceeds && error != nullptr) *error = "cannot open";
        return openSucceeds;
    }
    void PlayWaveFile(const std::string& path) override { sounds.push_back(path); }
    void SleepMilliseconds(int milliseconds) override { sleeps.push_back(milliseconds); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    void Clear() {
        commandLines.clear();
        openedPaths.clear();
        sounds.clear();
        sleeps.clear();
        messages.clear();
    }

    bool startSucceeds = true;
    bool openSucceeds = true;
    std::vector<std::string> commandLines;
    std::vector<std::string> openedPaths;
    std::vector<std::string> sounds;
    std::vector<int> sleeps;
    std::vector<std::string> messages;
};

}  // namespace testing_support
