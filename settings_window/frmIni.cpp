#include "settings_window/frmIni.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "gui/fonts.h"
#include "gui/path_box.h"
#include "support/command_lines.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "ui_frmIni.h"

namespace {

// The settings keys, indexed like the path boxes.
constexpr std::array<std::string_view, frmIni::kPathCount> kPathKeys = {
    modConst::kKeyKifFWin, modConst::kKeyKShogi, modConst::kKeyUWSC, modConst::kKeyTerapad};

}  // namespace

QPointer<frmIni> frmIni::instance_;

frmIni& frmIni::Get() {
    if (instance_.isNull()) {
        instance_ = new frmIni();
        instance_->Form_Load();
    }
    return *instance_;
}

bool frmIni::IsLoaded() { return !instance_.isNull(); }

void frmIni::Unload() { delete instance_.data(); }

frmIni::frmIni() : QDialog(nullptr), ui(std::make_unique<Ui::frmIni>()) {
    ui->setupUi(this);
    const std::initializer_list<QWidget*> pathRows = {ui->Label1_0,  ui->txtKifFWin, ui->Label1_1,
                                                      ui->txtKShogi, ui->Label1_2,   ui->txtUWSC,
                                                      ui->Label1_3,  ui->txtTerapad};
    for (QWidget* control : pathRows) quill::SetGothicFont(*control, quill::Gothic::kFixed, 9.75);
    // A fixed frame with a close command only; no help button, nothing to resize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());

    pathBoxes_ = {ui->txtKifFWin, ui->txtKShogi, ui->txtUWSC, ui->txtTerapad};
    cmdRunExe_ = {ui->cmdRunExe_0, ui->cmdRunExe_1, ui->cmdRunExe_2, ui->cmdRunExe_3};

    for (int index = 0; index < kPathCount; ++index) {
        pathBoxes_[index]->installEventFilter(this);
        connect(cmdRunExe_[index], &QPushButton::clicked, this,
                [this, index] { cmdRunExe_Click(index); });
    }
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmIni::cmdOK_Click);
    ui->cmdOK->setFocus();
}

frmIni::~frmIni() = default;

std::string frmIni::KifFWinPath() const { return quill::PathText(*ui->txtKifFWin); }
std::string frmIni::KShogiPath() const { return quill::PathText(*ui->txtKShogi); }
std::string frmIni::UWSCPath() const { return quill::PathText(*ui->txtUWSC); }
std::string frmIni::TerapadPath() const { return quill::PathText(*ui->txtTerapad); }

QLineEdit* frmIni::PathBox(int Index) const {
    if (Index < 0 || Index >= kPathCount) return nullptr;
    return pathBoxes_[Index];
}

void frmIni::ShowModalAt(int left, int top) {
    move(left, top);
    // A close during exec() destroys this window later, from the event loop; nothing of it is
    // touched once exec() returns.
    exec();
}

void frmIni::Form_Load() { LoadExePaths(); }

void frmIni::LoadExePaths() {
    for (int index = 0; index < kPathCount; ++index) {
        quill::SetPathText(*pathBoxes_[index],
                           modFunc::ReadIniValue(modConst::kIniSection, kPathKeys[index], ""));
    }
}

bool frmIni::SaveExePaths(const std::string& kifFWin, const std::string& kShogi,
                          const std::string& uwsc, const std::string& terapad) {
    const std::array<const std::string*, kPathCount> values = {&kifFWin, &kShogi, &uwsc, &terapad};
    bool allWritten = true;
    // Every key is written even after a failure, so a file that takes some writes holds as many
    // of the paths as it can.
    for (int index = 0; index < kPathCount; ++index) {
        if (!modFunc::WriteIniValue(modConst::kIniSection, kPathKeys[index], *values[index])) {
            allWritten = false;
        }
    }
    return allWritten;
}

void frmIni::cmdOK_Click() {
    const std::string kifFWin = KifFWinPath();
    const std::string kShogi = KShogiPath();
    const std::string uwsc = UWSCPath();
    const std::string terapad = TerapadPath();
    if (!SaveExePaths(kifFWin, kShogi, uwsc, terapad)) {
        // The paths stay in use for this run all the same; the user must know they will not
        // be there next time.
        modFunc::ShowMessageNaming(modConst::kMsgSettingsNotSaved, modFunc::IniFilePath());
    }
    // Hidden, not unloaded: the boxes remain the paths in force.
    hide();
}

void frmIni::cmdRunExe_Click(int Index) {
    const QLineEdit* box = PathBox(Index);
    if (box == nullptr) return;
    const std::string path = quill::PathText(*box);
    if (modFunc::FileHasContent(path)) {
        // A program that will not start is reported by StartProgram itself.
        modFunc::StartProgram(path, commandLine::ProgramAlone(path));
    } else {
        modFunc::ShowMessageNaming(modConst::kMsgFileDoesNotExist, path);
    }
}

void frmIni::closeEvent(QCloseEvent* event) {
    // Closing unloads the window as it stands, without saving. It is let go at once, so the
    // next access loads a fresh window from the file even before this one is deleted.
    event->accept();
    if (instance_ == this) instance_ = nullptr;
    deleteLater();
}

void frmIni::keyPressEvent(QKeyEvent* event) {
    // No button of this window answers Esc: the window stays until "OK" or the close command.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
