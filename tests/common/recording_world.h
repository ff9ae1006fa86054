#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/outside_world.h"

namespace testing_support {

// Stands in for the outside world while installed: records every command line, opened path,
// sound, pause and message instead of acting, so a test can check them exactly. Each action is
// also written, in the order the program took them, to `events` ("start: ", "open: ", "sound: ",
// "sleep: " or "message: " and its text), so that a test can check the order too. What the
// program writes to its log goes to `warnings` only. The clock stands at `now`, which a test
// sets.
class RecordingWorld : public outside::OutsideWorld {
  public:
    RecordingWorld() { outside::InstallWorld(this); }
    ~RecordingWorld() override { outside::InstallWorld(nullptr); }
    RecordingWorld(const RecordingWorld&) = delete;
    RecordingWorld& operator=(const RecordingWorld&) = delete;

    bool StartCommandLine(const std::string& program, const std::string& commandLine,
                          std::string* error) override {
        programs.push_back(program);
        commandLines.push_back(commandLine);
        events.push_back("start: " + commandLine);
        if (!startSucceeds && error != nullptr)
            *error = "cannot start " + commandLine + ": refused";
        return startSucceeds;
    }
    bool OpenWithSystem(const std::string& path, std::string* error) override {
        openedPaths.push_back(path);
        events.push_back("open: " + path);
        if (!openSucceeds && error != nullptr) *error = "cannot open " + path + ": refused";
        return openSucceeds;
    }
    // What happens while a sound plays or the program pauses: `duringSound` and `duringSleep`,
    // when set, run here, on the thread the program waits on.
    void PlayWaveFile(const std::string& path) override {
        sounds.push_back(path);
        events.push_back("sound: " + path);
        if (duringSound) duringSound();
    }
    void SleepMilliseconds(int milliseconds) override {
        sleeps.push_back(milliseconds);
        events.push_back("sleep: " + std::to_string(milliseconds));
        if (duringSleep) duringSleep();
    }
    // A message box is shown on the user-interface thread only, the one that made the recorder.
    void ShowMessage(const std::string& text) override {
        if (std::this_thread::get_id() != userInterfaceThread_) {
            ADD_FAILURE() << "a message shown off the user-interface thread: " << text;
        }
        messages.push_back(text);
        events.push_back("message: " + text);
    }
    void LogWarning(const std::string& text) override { warnings.push_back(text); }
    std::time_t Now() override { return now; }

    void Clear() {
        programs.clear();
        commandLines.clear();
        openedPaths.clear();
        sounds.clear();
        sleeps.clear();
        messages.clear();
        events.clear();
        warnings.clear();
    }

    bool startSucceeds = true;
    bool openSucceeds = true;
    std::time_t now = 0;
    std::function<void()> duringSleep;
    std::function<void()> duringSound;
    // The program path each command line was started with.
    std::vector<std::string> programs;
    std::vector<std::string> commandLines;
    std::vector<std::string> openedPaths;
    std::vector<std::string> sounds;
    std::vector<int> sleeps;
    std::vector<std::string> messages;
    std::vector<std::string> events;
    std::vector<std::string> warnings;

  private:
    std::thread::id userInterfaceThread_ = std::this_thread::get_id();
};

}  // namespace testing_support
