#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "os_posix.h"
#include "shared_library.h"
#include "sound.h"

namespace platform {
namespace {

// Far beyond any sound the program plays; a bigger file is not read into memory.
constexpr std::uint64_t kLargestWaveFile = 256ull * 1024 * 1024;
// How long past the sound's own length the wait may run before the call gives up on a device
// that does not take its data.
constexpr std::chrono::milliseconds kWaitMargin{2000};

// SDL is loaded on the first sound, not when the program starts: it brings some thirty more
// libraries (sound servers, codecs, display protocols) that every start would otherwise map and
// link, although most runs play no sound at all. Without SDL the program plays nothing.
struct Sdl {
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_QueueAudio) QueueAudio;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize;
    decltype(&SDL_Delay) Delay;
};

// The loaded library, or nullptr when it is not installed. Stays loaded once found.
const Sdl* LoadedSdl() {
    static const std::optional<Sdl> sdl = []() -> std::optional<Sdl> {
        void* library = LoadSharedLibrary("libSDL2-2.0.so.0");
        if (library == nullptr) return std::nullopt;
        Sdl found{};
        const bool complete =
            FindSharedLibraryFunction(library, "SDL_InitSubSystem", found.InitSubSystem) &&
            FindSharedLibraryFunction(library, "SDL_QuitSubSystem", found.QuitSubSystem) &&
            FindSharedLibraryFunction(library, "SDL_RWFromConstMem", found.RWFromConstMem) &&
            FindSharedLibraryFunction(library, "SDL_LoadWAV_RW", found.LoadWAV_RW) &&
            FindSharedLibraryFunction(library, "SDL_FreeWAV", found.FreeWAV) &&
            FindSharedLibraryFunction(library, "SDL_OpenAudioDevice", found.OpenAudioDevice) &&
            FindSharedLibraryFunction(library, "SDL_CloseAudioDevice", found.CloseAudioDevice) &&
            FindSharedLibraryFunction(library, "SDL_QueueAudio", found.QueueAudio) &&
            FindSharedLibraryFunction(library, "SDL_PauseAudioDevice", found.PauseAudioDevice) &&
            FindSharedLibraryFunction(library, "SDL_GetQueuedAudioSize",
                                      found.GetQueuedAudioSize) &&
            FindSharedLibraryFunction(library, "SDL_Delay", found.Delay);
        if (!complete) return std::nullopt;
        return found;
    }();
    return sdl ? &*sdl : nullptr;
}

std::optional<std::vector<Uint8>> ReadWaveFile(const std::string& path) {
    struct stat info;
    const posix::FileDescriptor fd = posix::OpenRegularFile(path, &info);
    if (!fd.valid()) return std::nullopt;
    std::optional<std::vector<Uint8>> content;
    if (static_cast<std::uint64_t>(info.st_size) <= kLargestWaveFile) {
        content.emplace(static_cast<std::size_t>(info.st_size));
        std::size_t filled = 0;
        while (filled < content->size()) {
            const ssize_t got = read(fd.get(), content->data() + filled, content->size() - filled);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            filled += static_cast<std::size_t>(got);
        }
        content->resize(filled);
    }
    return content;
}

// A device buffer of about 20 to 40 ms, so the call ends soon after the sound does.
Uint16 LowLatencySamples(int frequency) {
    Uint16 samples = 256;
    while (samples < 4096 && samples < frequency / 50) samples = static_cast<Uint16>(samples * 2);
    return samples;
}

std::chrono::milliseconds BufferTime(Uint32 bytes, const SDL_AudioSpec& spec) {
    const std::uint64_t bytesPerSecond = static_cast<std::uint64_t>(spec.freq) * spec.channels *
                                         (SDL_AUDIO_BITSIZE(spec.format) / 8);
    if (bytesPerSecond == 0) return std::chrono::milliseconds{0};
    return std::chrono::milliseconds{bytes * 1000ull / bytesPerSecond};
}

class AudioSubsystem {
  public:
    explicit AudioSubsystem(const Sdl& sdl)
        : sdl_(sdl), ready_(sdl.InitSubSystem(SDL_INIT_AUDIO) == 0) {}
    // Quitting after every sound makes the next call start afresh, with the system's audio
    // settings of that moment.
    ~AudioSubsystem() {
        if (ready_) sdl_.QuitSubSystem(SDL_INIT_AUDIO);
    }
    AudioSubsystem(const AudioSubsystem&) = delete;
    AudioSubsystem& operator=(const AudioSubsystem&) = delete;
    bool ready() const { return ready_; }

  private:
    const Sdl& sdl_;
    bool ready_;
};

class LoadedWave {
  public:
    LoadedWave(const Sdl& sdl, const std::vector<Uint8>& file) : sdl_(sdl) {
        SDL_RWops* stream = sdl.RWFromConstMem(file.data(), static_cast<int>(file.size()));
        if (stream != nullptr &&
            sdl.LoadWAV_RW(stream, 1, &spec_, &samples_, &length_) == nullptr) {
            samples_ = nullptr;
        }
    }
    ~LoadedWave() { sdl_.FreeWAV(samples_); }
    LoadedWave(const LoadedWave&) = delete;
    LoadedWave& operator=(const LoadedWave&) = delete;

    bool loaded() const { return samples_ != nullptr && length_ > 0; }
    const SDL_AudioSpec& spec() const { return spec_; }
    const Uint8* samples() const { return samples_; }
    Uint32 length() const { return length_; }

  private:
    const Sdl& sdl_;
    SDL_AudioSpec spec_{};
    Uint8* samples_ = nullptr;
    Uint32 length_ = 0;
};

class OpenDevice {
  public:
    OpenDevice(const Sdl& sdl, const SDL_AudioSpec& wanted) : sdl_(sdl) {
        // No changes allowed: SDL converts our samples to whatever the device takes.
        id_ = sdl.OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    }
    ~OpenDevice() {
        if (id_ != 0) sdl_.CloseAudioDevice(id_);
    }
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;
    SDL_AudioDeviceID id() const { return id_; }

  private:
    const Sdl& sdl_;
    SDL_AudioDeviceID id_ = 0;
};

std::mutex g_playing;

}  // namespace

void PlayWaveFile(const std::string& path) {
    const std::lock_guard<std::mutex> oneAtATime(g_playing);
    const std::optional<std::vector<Uint8>> file = ReadWaveFile(path);
    if (!file || file->empty()) return;

    const Sdl* sdl = LoadedSdl();
    if (sdl == nullptr) return;
    const AudioSubsystem audio(*sdl);
    if (!audio.ready()) return;
    const LoadedWave wave(*sdl, *file);
    if (!wave.loaded()) return;

    SDL_AudioSpec wanted = wave.spec();
    wanted.samples = LowLatencySamples(wanted.freq);
    wanted.callback = nullptr;  // the samples are queued instead
    wanted.userdata = nullptr;
    const OpenDevice device(*sdl, wanted);
    if (device.id() == 0) return;
    if (sdl->QueueAudio(device.id(), wave.samples(), wave.length()) != 0) return;

    using Clock = std::chrono::steady_clock;
    const std::chrono::milliseconds soundLength = BufferTime(wave.length(), wanted);
    const Clock::time_point giveUp = Clock::now() + soundLength + kWaitMargin;
    sdl->PauseAudioDevice(device.id(), 0);
    while (sdl->GetQueuedAudioSize(device.id()) > 0 && Clock::now() < giveUp) sdl->Delay(10);

    // The last samples left the queue but still sit in the device's buffers; let them sound.
    const std::chrono::milliseconds deviceBuffer =
        BufferTime(static_cast<Uint32>(wanted.samples) * wanted.channels *
                       (SDL_AUDIO_BITSIZE(wanted.format) / 8),
                   wanted);
    sdl->Delay(static_cast<Uint32>(std::min(2 * deviceBuffer, kWaitMargin).count()));
}

}  // namespace platform
