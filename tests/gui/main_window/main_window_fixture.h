#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "common/recording_world.h"
#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "main_window/frmMain.h"
#include "settings_window/frmIni.h"
#include "support/modConst.h"
#include "support/modFunc.h"

// A throwaway program folder "prog" with the book root "book" beside it, the outside world
// recorded, and the main window started on it by Start().
// A user's click on entry `row` of a shown list.
inline void ClickListEntry(QListWidget& list, int row) {
    const QRect place = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
}

using testing_support::kSep;

class MainWindowTest : public testing::Test {
  protected:
    MainWindowTest() : programFolder(temp.MakeFolder("prog")) {
        modFunc::OverrideProgramFolder(programFolder);
    }
    ~MainWindowTest() override {
        window.reset();
        frmIni::Unload();
        modFunc::OverrideProgramFolder("");
    }

    void Start() { window = std::make_unique<frmMain>(); }

    // Path of a file or folder below the book root, with the platform's separator.
    std::string Book(const std::string& relative) const { return temp.Join("book/" + relative); }
    // Path of a file in the program folder.
    std::string Prog(const std::string& name) const { return programFolder + kSep + name; }

    template <typename T>
    T* Control(const char* name) const {
        T* control = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QListWidget* Books() const { return Control<QListWidget>("lstFolder"); }
    QListWidget* Problems() const { return Control<QListWidget>("lstFile"); }
    QLineEdit* PageNumber() const { return Control<QLineEdit>("txtPageN"); }
    QLineEdit* Current() const { return Control<QLineEdit>("txtCur"); }
    std::string CompanionState() const { return Control<QLabel>("lblMsg")->text().toStdString(); }
    void Click(const char* button) const { Control<QPushButton>(button)->click(); }
    // The outside programs' paths, typed into the settings window's boxes.
    static void SetTools(const std::string& uwsc, const std::string& terapad,
                         const std::string& kifuw = "", const std::string& kshogi = "") {
        frmIni& settings = frmIni::Get();
        settings.PathBox(frmIni::kKifFWin)->setText(QString::fromStdString(kifuw));
        settings.PathBox(frmIni::kKShogi)->setText(QString::fromStdString(kshogi));
        settings.PathBox(frmIni::kUWSC)->setText(QString::fromStdString(uwsc));
        settings.PathBox(frmIni::kTerapad)->setText(QString::fromStdString(terapad));
    }

    static QStringList Entries(const QListWidget* list) {
        QStringList entries;
        for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
        return entries;
    }
    std::string SelectedProblem() const {
        const QListWidgetItem* item = Problems()->currentItem();
        return item != nullptr ? item->text().toStdString() : std::string();
    }

    testing_support::TempFolder temp;
    testing_support::RecordingWorld world;
    std::string programFolder;
    std::unique_ptr<frmMain> window;
};
