// The start chime as the program will play it: loaded by SDL's own wave reader, then checked
// for what makes it a good start sound: short, audible, unclipped, and free of clicks.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Wave {
    SDL_AudioSpec spec{};
    std::vector<std::int16_t> samples;
};

Wave Load(const char* path) {
    Wave wave;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path, &wave.spec, &buffer, &length) == nullptr) {
        ADD_FAILURE() << "SDL cannot read " << path << ": " << SDL_GetError();
        return wave;
    }
    const auto* first = reinterpret_cast<const std::int16_t*>(buffer);
    wave.samples.assign(first, first + length / sizeof(std::int16_t));
    SDL_FreeWAV(buffer);
    return wave;
}

double Share(int value) { return std::abs(value) / 32768.0; }

TEST(StartChime, IsShortSixteenBitPcmThatSdlReads) {
    const Wave wave = Load(QUILLMERE_START_WAV);
    ASSERT_FALSE(wave.samples.empty());
    EXPECT_EQ(wave.spec.format, AUDIO_S16LSB);
    EXPECT_GE(wave.spec.channels, 1);
    EXPECT_LE(wave.spec.channels, 2);
    const double seconds =
        static_cast<double>(wave.samples.size()) / wave.spec.channels / wave.spec.freq;
    // The user interface waits for the sound to end, so it must stay short.
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 0.5);
}

TEST(StartChime, IsAudibleWithoutClippingAndStartsAndEndsQuietly) {
    const Wave wave = Load(QUILLMERE_START_WAV);
    ASSERT_GT(wave.samples.size(), 1000u);
    const auto [low, high] = std::minmax_element(wave.samples.begin(), wave.samples.end());
    const double peak = std::max(Share(*low), Share(*high));
    EXPECT_GT(peak, 0.3);
    EXPECT_LT(peak, 0.95);
    // Sound begins at once: the first 20 ms are not silent.
    const std::size_t twentyMs = static_cast<std::size_t>(wave.spec.freq / 50) * wave.spec.channels;
    const auto opening =
        std::max_element(wave.samples.begin(), wave.samples.begin() + twentyMs,
                         [](std::int16_t a, std::int16_t b) { return std::abs(a) < std::abs(b); });
    EXPECT_GT(Share(*opening), 0.05);
    // No jump from or to silence at the ends, which a speaker plays as a click.
    EXPECT_LT(Share(wave.samples.front()), 0.01);
    EXPECT_LT(Share(wave.samples.back()), 0.01);
}

}  // namespace
