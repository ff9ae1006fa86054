#pragma once

#include <string>
#include <string_view>

// The start chime and the text editor.
namespace modFunc {

// The path of sound `name`: in the program folder, or else in the system's sound folder. A
// folder that cannot be listed is said in a message, so it is found on the user-interface thread.
std::string SoundFilePath(std::string_view name);
// Plays `name` from SoundFilePath; synchronous.
void PlaySoundFile(std::string_view name);
// Starts `editor` on `file` (which need not exist: the editor may create it), or says that the
// editor is not found, naming it, when `editor` is not a file with content.
void OpenInEditor(const std::string& editor, const std::string& file);

}  // namespace modFunc
