#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "gui/tool_paths.h"

class QCloseEvent;
class QDropEvent;
class QEvent;
class QKeyEvent;
class QLineEdit;
class QMimeData;
class QPushButton;

namespace Ui {
class frmIni;
}

// The settings window: the four program paths, typed or dropped, tried and stored. While the
// program runs its boxes are the paths in force; the main window reads them here and nowhere
// else. There is one such window at a time, created on first use and hidden by "OK".
class frmIni : public QDialog, public quill::ToolPaths {
    Q_OBJECT

  public:
    // Indexes of the path boxes and of the "起動" buttons, in the order the paths are loaded,
    // saved and passed everywhere.
    enum PathIndex { kKifFWin = 0, kKShogi = 1, kUWSC = 2, kTerapad = 3, kPathCount = 4 };

    // The one settings window. The first access creates it hidden and loads the paths.
    static frmIni& Get();
    static bool IsLoaded();
    // Destroys the window without saving; the next Get() loads it afresh.
    static void Unload();

    ~frmIni() override;

    // The tool paths in force: the boxes' current texts.
    std::string KifFWinPath() const override;
    std::string KShogiPath() const override;
    std::string UWSCPath() const override;
    std::string TerapadPath() const override;
    // The path box of `Index` (0 to 3), or nullptr outside that range.
    QLineEdit* PathBox(int Index) const;

    // Places the window's frame at `left`, `top` and shows it modal. Returns when it is hidden
    // or closed; a close destroys the window, so the caller must not keep references to it.
    void ShowModalAt(int left, int top);

    void Form_Load();
    void LoadExePaths();
    // Writes all four keys; false when any of them could not be written.
    bool SaveExePaths(const std::string& kifFWin, const std::string& kShogi,
                      const std::string& uwsc, const std::string& terapad);
    void cmdOK_Click();
    void cmdRunExe_Click(int Index);

    void txtKifFWin_OLEDragDrop(const QMimeData& Data);
    void txtKShogi_OLEDragDrop(const QMimeData& Data);
    void txtUWSC_OLEDragDrop(const QMimeData& Data);
    void txtTerapad_OLEDragDrop(const QMimeData& Data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    frmIni();
    void TakeDroppedPath(QLineEdit& box, const QMimeData& Data);
    void HandleDrop(int Index, QDropEvent& event);
    int IndexOfBox(const QObject* object) const;

    std::unique_ptr<Ui::frmIni> ui;
    std::array<QLineEdit*, kPathCount> pathBoxes_{};
    std::array<QPushButton*, kPathCount> cmdRunExe_{};

    static QPointer<frmIni> instance_;
};
