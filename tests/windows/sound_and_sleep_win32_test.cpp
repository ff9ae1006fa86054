// Sound and pauses on Windows. Wine here has no sound device, so only what must hold without one
// is checked: the call comes back, and a missing file makes no sound of its own.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "common/temp_folder.h"
#include "common/wave_file.h"
#include "platform/sleep.h"
#include "platform/sound.h"

namespace {

using testing_support::TempFolder;
using Clock = std::chrono::steady_clock;

TEST(SoundWin32, EveryCallComesBack) {
    TempFolder folder;
    const std::string wave = folder.WriteFile(
        "start.wav", testing_support::WaveFile(200, testing_support::WaveSound::Silence));
    const std::string garbage = folder.WriteFile("broken.wav", "RIFF but not a wave");
    for (const std::string& path : {wave, garbage, folder.Join("missing.wav"), std::string()}) {
        const Clock::time_point start = Clock::now();
        platform::PlayWaveFile(path);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(10)) << path;
    }
}

TEST(SleepWin32, HoldsForTheTimeGiven) {
    const Clock::time_point start = Clock::now();
    platform::SleepMilliseconds(120);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(110));
    platform::SleepMilliseconds(0);
    platform::SleepMilliseconds(-5);
}

}  // namespace
