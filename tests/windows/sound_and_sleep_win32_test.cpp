// Sound and pauses on Windows. Wine here has no sound device, so only what must hold without one
// is checked: the call comes back, and a missing file makes no sound of its own.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "common/temp_folder.h"
#include "platform/sleep.h"
#include "platform/sound.h"

namespace {

using testing_support::TempFolder;
using Clock = std::chrono::steady_clock;

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A wave file of silence: 8 kHz, 8 bits, one channel.
std::string SilentWave(int milliseconds) {
    const std::uint32_t samples = 8 * static_cast<std::uint32_t>(milliseconds);
    std::string wave = "RIFF";
    PutLittleEndian(wave, 36 + samples, 4);
    wave += "WAVEfmt ";
    PutLittleEndian(wave, 16, 4);
    PutLittleEndian(wave, 1, 2);     // PCM
    PutLittleEndian(wave, 1, 2);     // channels
    PutLittleEndian(wave, 8000, 4);  // samples per second
    PutLittleEndian(wave, 8000, 4);  // bytes per second
    PutLittleEndian(wave, 1, 2);     // block size
    PutLittleEndian(wave, 8, 2);     // bits per sample
    wave += "data";
    PutLittleEndian(wave, samples, 4);
    wave.append(samples, '\x80');
    return wave;
}

TEST(SoundWin32, EveryCallComesBack) {
    TempFolder folder;
    const std::string wave = folder.WriteFile("start.wav", SilentWave(200));
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
