// Writes the program's start chime, "start.wav": a short rising two-note bell as 16-bit PCM
// mono at 44.1 kHz. The build runs this; the sound is computed here, not taken from anywhere.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr double kLengthSeconds = 0.4;
// Loudest sample as a share of full scale: clearly audible, never clipped.
constexpr double kPeak = 0.6;
// Ramps at both ends keep the speaker from clicking.
constexpr double kAttackSeconds = 0.004;
constexpr double kFadeOutSeconds = 0.03;

struct Note {
    double startSeconds;
    double frequency;
    double loudness;
};
// C6, then G6 a little later: an open fifth upwards, friendly rather than alarming.
constexpr Note kNotes[] = {{0.0, 1046.50, 1.0}, {0.11, 1567.98, 0.8}};

struct Partial {
    double ratio;
    double loudness;
    double decaySeconds;
};
// A bell: the fundamental and two quieter overtones that die away sooner.
constexpr Partial kPartials[] = {{1.0, 1.0, 0.14}, {2.0, 0.35, 0.07}, {3.0, 0.12, 0.04}};

double Bell(double t, double frequency) {
    if (t < 0) return 0;
    const double attack = t < kAttackSeconds ? t / kAttackSeconds : 1.0;
    double sum = 0;
    for (const Partial& partial : kPartials) {
        sum += partial.loudness * std::exp(-t / partial.decaySeconds) *
               std::sin(2 * std::numbers::pi * frequency * partial.ratio * t);
    }
    return attack * sum;
}

std::vector<std::int16_t> Render() {
    const int count = static_cast<int>(kLengthSeconds * kSampleRate);
    std::vector<double> mix(static_cast<std::size_t>(count));
    double loudest = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double value = 0;
        for (const Note& note : kNotes) {
            value += note.loudness * Bell(t - note.startSeconds, note.frequency);
        }
        const double untilEnd = kLengthSeconds - t;
        if (untilEnd < kFadeOutSeconds) value *= untilEnd / kFadeOutSeconds;
        mix[static_cast<std::size_t>(i)] = value;
        loudest = std::max(loudest, std::fabs(value));
    }
    std::vector<std::int16_t> samples;
    samples.reserve(mix.size());
    for (double value : mix) {
        samples.push_back(static_cast<std::int16_t>(std::lround(value / loudest * kPeak * 32767)));
    }
    return samples;
}

// Wave files are little-endian whatever the machine is.
void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string WaveFile(const std::vector<std::int16_t>& samples) {
    constexpr std::uint32_t kChannels = 1;
    constexpr std::uint32_t kBitsPerSample = 16;
    constexpr std::uint32_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBlockAlign);
    std::string out = "RIFF";
    PutLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);  // size of the format chunk
    PutLittleEndian(out, 1, 2);   // PCM
    PutLittleEndian(out, kChannels, 2);
    PutLittleEndian(out, kSampleRate, 4);
    PutLittleEndian(out, kSampleRate * kBlockAlign, 4);
    PutLittleEndian(out, kBlockAlign, 2);
    PutLittleEndian(out, kBitsPerSample, 2);
    out += "data";
    PutLittleEndian(out, dataBytes, 4);
    for (std::int16_t sample : samples) {
        PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chime OUTPUT.wav\n");
        return 2;
    }
    const std::string wave = WaveFile(Render());
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(wave.data(), static_cast<std::streamsize>(wave.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "make_chime: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
