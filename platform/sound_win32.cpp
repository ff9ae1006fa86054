#include <windows.h>
// Needs the types of windows.h.
#include <mmsystem.h>

#include <string>

#include "sound.h"
#include "text_win32.h"

namespace platform {

// Without SND_ASYNC the call returns when the sound has ended; SND_NODEFAULT keeps the system's
// default sound from standing in for a missing file.
void PlayWaveFile(const std::string& path) {
    if (path.empty()) return;
    const std::optional<std::wstring> wide = win32::Widen(path);
    if (!wide) return;
    sndPlaySoundW(wide->c_str(), SND_NODEFAULT);
}

}  // namespace platform
