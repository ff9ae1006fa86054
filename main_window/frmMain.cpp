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
#include "gui/entry_selection.h"
#include "gui/fonts.h"
#include "gui/list_box.h"
#include "gui/sorted_list_box.h"
#include "gui/study/study_session.h"
#include "gui/text_conversion.h"
#include "main_window/list_preview.h"
#include "settings_window/frmIni.h"
#include "study_windows/progress/progress_window.h"
#include "study_windows/results/results_window_set.h"
#include "study_windows/reviews/reviews_window.h"
#include "support/command_lines.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"
#include "support/study_log/history_line.h"
#include "support/utf8_text.h"
#include "ui_frmMain.h"

using quill::FromQt;
using quill::ToQt;

namespace {

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
    SetUpStudy();
    // The preview of the record under the mouse or selected; it acts on nothing.
    auto* preview = new ListPreview(
        *ui->lstFile, [this] { return CurrentBookFolder(); },
        [this](const std::string& record) {
            const studyLog::CycleHistory history =
                session_->History(quill::SelectedEntry(*ui->lstFolder), record);
            // A record never tried says how to mark it.
            if (history.all.attempts == 0) return std::string(modConst::kHintNeverTried);
            return studyLog::HistoryLine(history);
        });
    connect(session_.get(), &quill::StudySession::AttemptRecorded, preview,
            [this, preview](const studyLog::Attempt& attempt) {
                if (attempt.book == quill::SelectedEntry(*ui->lstFolder)) {
                    preview->HistoryChanged(attempt.record);
                }
            });
    Form_Load();
    ui->lstFolder->setFocus();
}

frmMain::~frmMain() { delete ui; }

void frmMain::Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        modFunc::ShowMessage(error.what());
    }
}

void frmMain::SetDesignedFonts() {
    using quill::Gothic;
    for (QWidget* control : std::initializer_list<QWidget*>{ui->lstFolder, ui->lstFile, ui->lblMsg})
        quill::SetGothicFont(*control, Gothic::kFixed, 9.75);
    for (QWidget* control : {ui->Label1_10, ui->Label1_11})
        quill::SetGothicFont(*control, Gothic::kFixed, 11.25, true);
    for (QWidget* control : {ui->txtPageN, ui->txtCur})
        quill::SetGothicFont(*control, Gothic::kFixed, 12, true);
    quill::SetGothicFont(*ui->cmdUWSC_1, Gothic::kProportional, 9, true);
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
        modFunc::ReportFailure(modConst::kMsgCannotOpen, path, error);
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
    session_->Finish();
    frmIni::Unload();
    QCoreApplication::quit();
}

// ---- Browsing -----------------------------------------------------------------------------

void frmMain::lstFolder_Click() {
    modFunc::NameArray names;
    modFunc::ListFilesByExtensions(CurrentBookFolder(), modConst::kProblemExtensions, names);
    quill::SortedListBox problems(*ui->lstFile);
    modFunc::FillListFromArray(names, problems);
    ShowOutcomesOfNewList();
    if (ui->lstFile->count() > 0) ui->lstFile->setCurrentRow(0);
}

void frmMain::lstFile_Click() {
    const std::string companion = CurrentProblemFile() + std::string(modConst::kCompanionSuffix);
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
        message = std::string(modConst::kMsgPageNotThreeChars);
        return false;
    }
    if (!modFunc::IsAllDigits(text)) {
        message = std::string(modConst::kMsgPageNotDigits);
        return false;
    }
    return true;
}

// ---- Page images ----------------------------------------------------------------------------

void frmMain::cmdOpenBook_Click() {
    const std::string folder = CurrentBookFolder();
    if (!modFunc::FolderExists(folder)) {
        modFunc::ShowMessage(folder + std::string(modConst::kMsgNotFoundSuffix));
        return;
    }
    const std::optional<std::string> firstName =
        modFunc::ReplaceExtension(CurrentProblemFile(), modConst::kImageExtension);
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
        modFunc::ShowMessage(firstPath + std::string(modConst::kMsgNotFoundSuffix));
        return;
    }
    OpenWithSystem(toOpen);
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
        modFunc::ShowMessage(notSet);
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
