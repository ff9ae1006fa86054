// The three script buttons of the main window: "作成", "開始" and "開く".
#include <QLineEdit>
#include <QListWidget>

#include "gui/busy_wait.h"
#include "gui/list_box.h"
#include "gui/study/study_session.h"
#include "gui/text_conversion.h"
#include "gui/tool_paths.h"
#include "main_window/frmMain.h"
#include "platform/file_ops.h"
#include "settings_window/frmIni.h"
#include "support/command_lines.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"
#include "ui_frmMain.h"

using quill::FromQt;
using quill::ToQt;

void frmMain::cmdUWSC_Click(int Index) {
    // The script runner's path is read once, before any branch, as each of them needs it.
    const std::string uwscPath = Tools().UWSCPath();
    switch (Index) {
        case kCreateRecord:
            CreateRecord(uwscPath);
            return;
        case kStartSolving:
            StartSolving(uwscPath);
            return;
        case kOpenCompanion:
            OpenCompanion(uwscPath);
            return;
        default:
            return;
    }
}

// The save script has the record of the page saved; after a pause for it, the list is read
// again and the last record, the new one, selected.
void frmMain::CreateRecord(const std::string& uwscPath) {
    // Without a book the record would land in the book root, where no list shows it.
    if (quill::SelectedEntry(*ui->lstFolder).empty()) {
        modFunc::ShowMessage(modConst::kMsgNoBookSelected);
        return;
    }
    std::string message;
    if (!ValidatePageNumber(message)) {
        modFunc::ShowMessage(message);
        return;
    }
    const std::string recordPath =
        modFunc::JoinPath(CurrentBookFolder(), "p" + FromQt(ui->txtPageN->text()));
    if (!HandsOverWhole(recordPath)) return;
    const std::string line =
        commandLine::SaveKifScript(uwscPath, modFunc::ProgramFolder(), recordPath);
    // Nothing was started, so there is nothing to wait for.
    if (!modFunc::StartProgram(uwscPath, line)) return;
    quill::BusyWait([] { outside::World().SleepMilliseconds(kScriptPauseMilliseconds); });
    lstFolder_Click();
    ui->lstFile->setCurrentRow(ui->lstFile->count() - 1);
}

// The start script opens the selected record for solving; its name is shown and the chime
// played.
void frmMain::StartSolving(const std::string& uwscPath) {
    const std::string problemName = CurrentProblemFile();
    // Without a selection there is no record to hand over.
    if (problemName.empty()) {
        modFunc::ShowMessage(modConst::kMsgNoProblemSelected);
        return;
    }
    const std::string problemPath = modFunc::JoinPath(CurrentBookFolder(), problemName);
    if (!modFunc::FileHasContent(problemPath)) {
        modFunc::ShowMessage(std::string(modConst::kMsgProblemFileNotFound) +
                             std::string(modConst::kCrLf) + problemPath);
        return;
    }
    if (!HandsOverWhole(problemPath)) return;
    const std::string line =
        commandLine::OpenStartScript(uwscPath, modFunc::ProgramFolder(), problemPath);
    if (!modFunc::StartProgram(uwscPath, line)) return;
    session_->StartedSolving(quill::SelectedEntry(*ui->lstFolder), problemName,
                             outside::World().Now());
    ui->txtCur->setText(ToQt(problemName));
    PlayStartChime();
}

// The selected record's companion text file, made from the template when missing, is opened in
// the text editor through the edit script.
void frmMain::OpenCompanion(const std::string& uwscPath) {
    const std::string problemName = CurrentProblemFile();
    if (problemName.empty()) {
        modFunc::ShowMessage(modConst::kMsgNoProblemSelected);
        return;
    }
    const std::string companionPath = modFunc::JoinPath(
        CurrentBookFolder(), problemName + std::string(modConst::kCompanionSuffix));
    if (!HandsOverWhole(companionPath)) return;
    if (!modFunc::FileHasContent(companionPath) && !MakeCompanion(companionPath)) return;
    // Without an editor the script would have nothing to open the companion with.
    const std::string editorPath = Tools().TerapadPath();
    if (editorPath.empty()) {
        modFunc::ShowMessage(modConst::kMsgTerapadPathNotSet);
        return;
    }
    if (!commandLine::EditorArrivesWhole(editorPath)) {
        modFunc::ShowMessageNaming(modConst::kMsgCannotHandOver, editorPath);
        return;
    }
    const std::string line =
        commandLine::EditTxtScript(uwscPath, modFunc::ProgramFolder(), editorPath, companionPath);
    if (!modFunc::StartProgram(uwscPath, line)) return;
    PlayStartChime();
}

// The chime plays to its end before the handler goes on, while the window keeps painting. It is
// looked for here, where a message about its folder may be shown; the wait only plays it.
void frmMain::PlayStartChime() {
    const std::string chime = modFunc::SoundFilePath(modConst::kStartSound);
    quill::BusyWait([&chime] { outside::World().PlayWaveFile(chime); });
}

const quill::ToolPaths& frmMain::Tools() const { return frmIni::Get(); }

bool frmMain::HandsOverWhole(const std::string& path) const {
    if (commandLine::ArrivesWhole(path)) return true;
    modFunc::ShowMessageNaming(modConst::kMsgCannotHandOver, path);
    return false;
}

// The template is copied only where nothing stands at the companion's name (an empty companion
// has just been removed by the presence test). Notes that exist but cannot be read, a link, or a
// file another program holds locked stay exactly as they are.
bool frmMain::MakeCompanion(const std::string& companionPath) const {
    if (platform::EntryAt(companionPath) == platform::EntryKind::kFile) {
        modFunc::ShowMessageNaming(modConst::kMsgCompanionKept, companionPath);
        return false;
    }
    const std::string templatePath = ProgramFile(modConst::kTemplateFile);
    const platform::CopyResult copied = platform::CopyToNewFile(templatePath, companionPath);
    if (copied) return true;
    // Either the template cannot be read, or something that is not a file (a folder, a FIFO) or
    // no folder at all stands where the companion goes; the message names the one at fault, and
    // the log says why in the system's words.
    const bool templateUnreadable = copied.fault == platform::CopyFault::kSourceUnreadable;
    modFunc::ReportFailure(
        templateUnreadable ? modConst::kMsgTemplateNotCopied : modConst::kMsgCompanionNotMade,
        templateUnreadable ? templatePath : companionPath, copied.reason);
    return false;
}
