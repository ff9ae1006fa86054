#include "support/command_lines.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"

namespace modFunc {

void PlaySoundFile(const std::string& name) {
    std::string path = ProgramFolder();
    path += modConst::kSep;
    path += name;
    if (!FileExists(path)) {
        // The system folder is not tested: a sound missing there too simply stays silent.
        path = modConst::kSystemSoundFolder;
        path += modConst::kSep;
        path += name;
    }
    outside::World().PlayWaveFile(path);
}

// The file itself is not tested: the editor is free to create it.
void OpenInEditor(const std::string& editor, const std::string& file) {
    if (FileHasContent(editor)) {
        StartProgram(editor, commandLine::Editor(editor, file));
        return;
    }
    ShowMessageNaming(modConst::kMsgEditorNotFound, editor);
}

}  // namespace modFunc
