// Playing a wave file through SDL's file-writing audio driver, which takes a sound's own time
// to write it, so the test can tell whether the call waits for the sound.
#ifndef _WIN32

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/temp_folder.h"
#include "common/wave_file.h"
#include "platform/sound.h"

namespace {

using testing_support::TempFolder;
using Clock = std::chrono::steady_clock;

double SecondsToPlay(const std::string& path) {
    const Clock::time_point start = Clock::now();
    platform::PlayWaveFile(path);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class SoundTest : public ::testing::Test {
  protected:
    // SDL reads these when its audio starts, which each call does afresh.
    void UseDriver(const std::string& driver) {
        setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
        setenv("SDL_DISKAUDIOFILE", output().c_str(), 1);
    }
    ~SoundTest() override {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }
    std::string output() const { return folder.Join("written.raw"); }
    TempFolder folder;
};

TEST_F(SoundTest, ReturnsOnlyAfterTheSoundHasPlayed) {
    UseDriver("disk");
    const std::string wave = folder.WriteFile(
        "start.wav", testing_support::WaveFile(500, testing_support::WaveSound::QuietTone));
    const double seconds = SecondsToPlay(wave);
    EXPECT_GE(seconds, 0.4);
    EXPECT_LT(seconds, 10.0);
    struct stat written;
    ASSERT_EQ(stat(output().c_str(), &written), 0) << "the sound never reached the driver";
    EXPECT_GT(written.st_size, 0);
}

TEST_F(SoundTest, WhatCannotBePlayedReturnsPromptlyInSilence) {
    UseDriver("disk");
    EXPECT_LT(SecondsToPlay(folder.Join("missing.wav")), 10.0);
    EXPECT_LT(SecondsToPlay(folder.WriteFile("broken.wav", "RIFF but not a wave")), 10.0);
    EXPECT_LT(SecondsToPlay(folder.WriteFile("empty.wav", "")), 10.0);
    ASSERT_EQ(mkfifo(folder.Join("pipe.wav").c_str(), 0600), 0);
    EXPECT_LT(SecondsToPlay(folder.Join("pipe.wav")), 10.0);
    EXPECT_LT(SecondsToPlay(folder.path()), 10.0);
    EXPECT_FALSE(folder.Exists("written.raw"));
}

TEST_F(SoundTest, NoUsableAudioDriverReturnsPromptly) {
    UseDriver("no-such-audio-driver");
    EXPECT_LT(
        SecondsToPlay(folder.WriteFile(
            "start.wav", testing_support::WaveFile(500, testing_support::WaveSound::QuietTone))),
        10.0);

    // The next call starts afresh and finds the working driver.
    UseDriver("disk");
    EXPECT_GE(SecondsToPlay(folder.Join("start.wav")), 0.4);
}

}  // namespace

#endif  // _WIN32
