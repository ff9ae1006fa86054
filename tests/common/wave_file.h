#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

// The bytes of a mono PCM wave file at 8 kHz lasting `milliseconds`: a quiet 16-bit square tone,
// or 8-bit silence.
enum class WaveSound { QuietTone, Silence };

inline std::string WaveFile(int milliseconds, WaveSound sound) {
    const auto put = [](std::string& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::uint32_t rate = 8000;
    const std::uint32_t bytesPerSample = sound == WaveSound::QuietTone ? 2 : 1;
    const std::uint32_t samples = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
    const std::uint32_t dataBytes = samples * bytesPerSample;
    std::string wave = "RIFF";
    put(wave, 36 + dataBytes, 4);
    wave += "WAVEfmt ";
    put(wave, 16, 4);
    put(wave, 1, 2);  // PCM
    put(wave, 1, 2);  // mono
    put(wave, rate, 4);
    put(wave, rate * bytesPerSample, 4);
    put(wave, bytesPerSample, 2);
    put(wave, 8 * bytesPerSample, 2);
    wave += "data";
    put(wave, dataBytes, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        if (sound == WaveSound::QuietTone) {
            put(wave, (i / 20) % 2 ? 2000 : 0, 2);
        } else {
            wave += '\x80';
        }
    }
    return wave;
}

}  // namespace testing_support
