#include "support/sound_and_editor.h"

#include "support/command_lines.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"

namespace modFunc {

std::string SoundFilePath(std::string_view name) {
    const std::string inProgramFolder = JoinPath(ProgramFolder(), name);
    // The system folder is not tested: a sound missing there too simply stays silent.
    if (FileExists(inProgramFolder)) return inProgramFolder;
    return JoinPath(modConst::kSystemSoundFolder, name);
}

void PlaySoundFile(std::string_view name) { outside::World().PlayWaveFile(SoundFilePath(name)); }

// The file itself is not tested: the editor is free to create it.
void OpenInEditor(const std::string& editor, const std::string& file) {
    if (FileHasContent(editor)) {
        StartProgram(editor, commandLine::Editor(editor, file));
        return;
    }
    ShowMessageNaming(modConst::kMsgEditorNotFound, editor);
}

}  // namespace modFunc
