#include "main_window/frmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cmath>
#include <exception>
#include <optional>

#include "gui/application.h"
#include "gui/busy_wait.h"
#include "gui/entry_selection.h"
#include "gui/fonts.h"
#include "gui/list_box.h"
#include "gui/sorted_list_box.h"
#include "gui/text_conversion.h"
#include "main_window/list_preview.h"
#include "platform/file_ops.h"
#include "settings_window/frmIni.h"
#include "support/command_lines.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"
#include "support/utf8_text.h"
#include "ui_frmMain.h"

using quill::FromQt;
using quill::ToQt;

namespace {

std::string Str(std::string_view text) { return std::string(text); }

// Where the window's frame stands on the screen when it opens.
constexpr int kDesignedLeft = 50;
constexpr int kDesignedTop = 0;

// The whole number "+1" works on: blanks around it allowed, a sign, and a decimal fraction
// rounded to the nearest whole. Nothing for text that is not a number or is too large.
std::optional<long long> ParsePageNumber(const QString& text) {
    bool ok = false;
    const QString trimmed = text.trimmed();
    const long long whole = trimmed.toLongLong(&ok);
    if (ok) return whole;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 1e15) return std::nullopt;
    return std::llround(value);
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent), ui(new Ui::frmMain) {
    ui->setupUi(this);
    cmdUWSC = {ui->cmdUWSC_0, ui->cmdUWSC_1, ui->cmdUWSC_2};
    cmdEditUws = {ui->cmdEditUws_0, ui->cmdEditUws_1, ui->cmdEditUws_2};
    cmdRunKifuFWin = {ui->cmdRunKifuFWin_0, ui->cmdRunKifuFWin_1};
    setFixedSize(231, 556);
    SetDesignedFonts();
    // Every entry is one line in the list's one font, so the lists need not measure each of the
    // thousands of entries a large book or library holds before they can be shown. A name too
    // long for the list is cut at its edge, as before, not shortened with an ellipsis.
    for (QListWidget* list : {ui->lstFolder, ui->lstFile}) {
        list->setUniformItemSizes(true);
        list->setTextElideMode(Qt::ElideNone);
    }
    ConnectHandlers();
    // The preview of the record under the mouse or selected; it acts on nothing.
    new ListPreview(*ui->lstFile, [this] { return CurrentBookFolder(); });
    Form_Load();
    ui->lstFolder->setFocus();
}

frmMain::~frmMain() { delete ui; }

template <typename Handler>
void frmMain::Guarded(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        modFunc::ShowMessage(error.what());
    }
}

void frmMain::SetDesignedFonts() {
    using quill::Gothic;
    for (QWidget* control : std::initializer_list<QWidget*>{ui->lstFolder, ui->lstFile, ui->lblMsg})
        quill::SetGothicFont(*control, Gothic::Fixed, 9.75);
    for (QWidget* control : {ui->Label1_10, ui->Label1_11})
        quill::SetGothicFont(*control, Gothic::Fixed, 11.25, true);
    for (QWidget* control : {ui->txtPageN, ui->txtCur})
        quill::SetGothicFont(*control, Gothic::Fixed, 12, true);
    quill::SetGothicFont(*ui->cmdUWSC_1, Gothic::Proportional, 9, true);
}

void frmMain::ConnectHandlers() {
    quill::OnEntrySelected(*ui->lstFolder, [this] { Guarded([this] { lstFolder_Click(); }); });
    quill::OnEntrySelected(*ui->lstFile, [this] { Guarded([this] { lstFile_Click(); }); });
    auto onClick = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, [this, handler] { Guarded(handler); });
    };
    onClick(ui->cmdOpenFolder, [this] { cmdOpenFolder_Click(); });
    onClick(ui->cmdNext, [this] { cmdNext_Click(); });
    onClick(ui->cmdInc, [this] { cmdInc_Click(); });
    onClick(ui->cmdOpenBook, [this] { cmdOpenBook_Click(); });
    onClick(ui->cmdOpenTemplateFile, [this] { cmdOpenTemplateFile_Click(); });
    onClick(ui->cmdOpenIniWin, [this] { cmdOpenIniWin_Click(); });
    for (int i = 0; i < static_cast<int>(cmdUWSC.size()); ++i) {
        onClick(cmdUWSC[i], [this, i] { cmdUWSC_Click(i); });
        onClick(cmdEditUws[i], [this, i] { cmdEditUws_Click(i); });
    }
    for (int i = 0; i < static_cast<int>(cmdRunKifuFWin.size()); ++i) {
        onClick(cmdRunKifuFWin[i], [this, i] { cmdRunKifuFWin_Click(i); });
    }
}

// ---- Paths, built afresh at every use --------------------------------------------------------

std::string frmMain::BookRoot() const {
    return modFunc::JoinPath(modFunc::ParentFolder(modFunc::ProgramFolder()),
                             modConst::kBookFolderName);
}

std::string frmMain::CurrentBookFolder() const {
    return modFunc::JoinPath(BookRoot(), quill::SelectedEntry(*ui->lstFolder));
}

std::string frmMain::CurrentProblemFile() const { return quill::SelectedEntry(*ui->lstFile); }

std::string frmMain::ProgramFile(std::string_view name) const {
    return modFunc::JoinPath(modFunc::ProgramFolder(), name);
}

void frmMain::OpenWithSystem(const std::string& path) const {
    std::string error;
    // The desktop's answer is not awaited; only an opener that cannot be started at all is told.
    if (!outside::World().OpenWithSystem(path, &error)) {
        outside::World().LogWarning("Could not open " + path + ": " + error);
        modFunc::ShowMessageNaming(modConst::kMsgCannotOpen, path);
    }
}

// ---- Start-up and shutdown ----------------------------------------------------------------

void frmMain::Form_Load() {
    move(kDesignedLeft, kDesignedTop);
    setWindowTitle(quill::MainWindowTitle());
    quill::ListWidgetBox books(*ui->lstFolder);
    modFunc::FillFolderList(BookRoot(), books);
    if (ui->lstFolder->count() > 0) ui->lstFolder->setCurrentRow(0);
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    frmIni::Unload();
    QCoreApplication::quit();
}

// ---- Browsing -----------------------------------------------------------------------------

void frmMain::lstFolder_Click() {
    modFunc::NameArray names;
    modFunc::ListFilesByExtensions(CurrentBookFolder(), Str(modConst::kProblemExtensions), names);
    quill::SortedListBox problems(*ui->lstFile);
    modFunc::FillListFromArray(names, problems);
    if (ui->lstFile->count() > 0) ui->lstFile->setCurrentRow(0);
}

void frmMain::lstFile_Click() {
    const std::string companion = CurrentProblemFile() + Str(modConst::kCompanionSuffix);
    ui->lblMsg->setText(ToQt(modConst::kStateCompanionAbsent));
    if (modFunc::FileHasContent(modFunc::JoinPath(CurrentBookFolder(), companion))) {
        ui->lblMsg->setText(ToQt(modConst::kStateCompanionPresent));
    }
}

void frmMain::cmdOpenFolder_Click() { OpenWithSystem(CurrentBookFolder()); }

void frmMain::cmdNext_Click() {
    const int index = ui->lstFile->currentRow();
    const int count = ui->lstFile->count();
    if (index < count - 1) ui->lstFile->setCurrentRow(index + 1);
}

void frmMain::cmdInc_Click() {
    const std::optional<long long> value = ParsePageNumber(ui->txtPageN->text());
    if (!value || *value >= 2147483647LL || *value < -2147483647LL) {
        // Not a number "+1" can raise: the text stays, and the user learns what it should be.
        std::string message;
        if (!ValidatePageNumber(message)) modFunc::ShowMessage(message);
        return;
    }
    const std::string raised = "00" + std::to_string(*value + 1);
    ui->txtPageN->setText(ToQt(raised.substr(raised.size() - 3)));
}

bool frmMain::ValidatePageNumber(std::string& message) const {
    const std::string text = FromQt(ui->txtPageN->text());
    if (utf8::Length(text) != 3) {
        message = Str(modConst::kMsgPageNotThreeChars);
        return false;
    }
    if (!modFunc::IsAllDigits(text)) {
        message = Str(modConst::kMsgPageNotDigits);
        return false;
    }
    return true;
}

// ---- Page images ----------------------------------------------------------------------------

void frmMain::cmdOpenBook_Click() {
    const std::string folder = CurrentBookFolder();
    if (!modFunc::FolderExists(folder)) {
        modFunc::ShowMessage(folder + Str(modConst::kMsgNotFoundSuffix));
        return;
    }
    const std::optional<std::string> firstName =
        modFunc::ReplaceExtension(CurrentProblemFile(), Str(modConst::kImageExtension));
    if (!firstName) return;
    const std::string firstPath = modFunc::JoinPath(folder, *firstName);
    const std::string secondName = modFunc::PreviousPageImage(*firstName);
    const std::string secondPath = modFunc::JoinPath(folder, secondName);

    std::string toOpen;
    if (modFunc::FileHasContent(firstPath)) {
        toOpen = firstPath;
    } else if (!secondName.empty() && modFunc::FileHasContent(secondPath)) {
        toOpen = secondPath;
    } else {
        modFunc::ShowMessage(firstPath + Str(modConst::kMsgNotFoundSuffix));
        return;
    }
    OpenWithSystem(toOpen);
}

// ---- The automation scripts -----------------------------------------------------------------

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
        modFunc::ShowMessage(Str(modConst::kMsgNoBookSelected));
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
        modFunc::ShowMessage(Str(modConst::kMsgNoProblemSelected));
        return;
    }
    const std::string problemPath = modFunc::JoinPath(CurrentBookFolder(), problemName);
    if (!modFunc::FileHasContent(problemPath)) {
        modFunc::ShowMessage(Str(modConst::kMsgProblemFileNotFound) + Str(modConst::kCrLf) +
                             problemPath);
        return;
    }
    if (!HandsOverWhole(problemPath)) return;
    const std::string line =
        commandLine::OpenStartScript(uwscPath, modFunc::ProgramFolder(), problemPath);
    if (!modFunc::StartProgram(uwscPath, line)) return;
    ui->txtCur->setText(ToQt(problemName));
    PlayStartChime();
}

// The selected record's companion text file, made from the template when missing, is opened in
// the text editor through the edit script.
void frmMain::OpenCompanion(const std::string& uwscPath) {
    const std::string problemName = CurrentProblemFile();
    if (problemName.empty()) {
        modFunc::ShowMessage(Str(modConst::kMsgNoProblemSelected));
        return;
    }
    const std::string companionPath =
        modFunc::JoinPath(CurrentBookFolder(), problemName + Str(modConst::kCompanionSuffix));
    if (!HandsOverWhole(companionPath)) return;
    if (!modFunc::FileHasContent(companionPath) && !MakeCompanion(companionPath)) return;
    // Without an editor the script would have nothing to open the companion with.
    const std::string editorPath = Tools().TerapadPath();
    if (editorPath.empty()) {
        modFunc::ShowMessage(Str(modConst::kMsgTerapadPathNotSet));
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
    const std::string chime = modFunc::SoundFilePath(Str(modConst::kStartSound));
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
    outside::World().LogWarning("Could not copy " + templatePath + " to " + companionPath + ": " +
                                copied.reason);
    // Either the template cannot be read, or something that is not a file (a folder, a FIFO) or
    // no folder at all stands where the companion goes; the message names the one at fault.
    if (copied.fault == platform::CopyFault::kSourceUnreadable) {
        modFunc::ShowMessageNaming(modConst::kMsgTemplateNotCopied, templatePath);
    } else {
        modFunc::ShowMessageNaming(modConst::kMsgCompanionNotMade, companionPath);
    }
    return false;
}

// ---- Tools and editing --------------------------------------------------------------------

void frmMain::cmdRunKifuFWin_Click(int Index) {
    std::string path;
    std::string_view notSet;
    if (Index == 0) {
        path = Tools().KifFWinPath();
        notSet = modConst::kMsgKifuWPathNotSet;
    } else if (Index == 1) {
        path = Tools().KShogiPath();
        notSet = modConst::kMsgKShogiPathNotSet;
    } else {
        return;
    }
    if (modFunc::FileHasContent(path)) {
        modFunc::StartProgram(path, commandLine::ProgramAlone(path));
    } else {
        modFunc::ShowMessage(Str(notSet));
    }
}

void frmMain::cmdEditUws_Click(int Index) {
    static constexpr std::array<std::string_view, 3> kScripts = {
        modConst::kScriptSaveKif, modConst::kScriptOpenStart, modConst::kScriptEditTxt};
    if (Index < 0 || Index >= static_cast<int>(kScripts.size())) return;
    modFunc::OpenInEditor(Tools().TerapadPath(), ProgramFile(kScripts[Index]));
}

void frmMain::cmdOpenTemplateFile_Click() {
    modFunc::OpenInEditor(Tools().TerapadPath(), ProgramFile(modConst::kTemplateFile));
}

void frmMain::cmdOpenIniWin_Click() { frmIni::Get().ShowModalAt(x(), 0); }
