#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>

#include "common/recording_world.h"
#include "common/temp_folder.h"
#include "settings_window/frmIni.h"
#include "support/modConst.h"
#include "support/modFunc.h"

// Each test gets a throwaway program folder, a recorded outside world and no settings window.
class SettingsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        frmIni::Unload();
        modFunc::OverrideProgramFolder(folder.path());
    }
    void TearDown() override {
        frmIni::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        modFunc::OverrideProgramFolder("");
    }

    static std::string S(std::string_view text) { return std::string(text); }

    void WriteSettings(const std::string& kifFWin, const std::string& kShogi,
                       const std::string& uwsc, const std::string& terapad) const {
        folder.WriteFile("Quillmere.ini", "[ExePath]\nKifFWin=" + kifFWin + "\nKShogi=" + kShogi +
                                              "\nUWSC=" + uwsc + "\nTerapad=" + terapad + "\n");
    }
    static std::string Stored(std::string_view key, const std::string& absent = "") {
        return modFunc::ReadIniValue(S(modConst::kIniSection), S(key), absent);
    }
    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> texts;
        for (int index = 0; index < frmIni::kPathCount; ++index) {
            texts.push_back(frmIni::Get().PathBox(index)->text().toStdString());
        }
        return texts;
    }
    static void SetBoxTexts(const std::vector<std::string>& texts) {
        for (int index = 0; index < frmIni::kPathCount; ++index) {
            frmIni::Get().PathBox(index)->setText(QString::fromStdString(texts[index]));
        }
    }
    static QPushButton* Button(const char* name) {
        return frmIni::Get().findChild<QPushButton*>(QString::fromLatin1(name));
    }

    // Shows the window modally at (left, top) and runs `inside` in its modal loop. A window
    // still shown after two seconds is hidden, so a failing test cannot hang the run.
    static void ShowModal(const std::function<void(frmIni&)>& inside, int left = 40, int top = 0) {
        QPointer<frmIni> window = &frmIni::Get();
        QTimer::singleShot(0, window, [window, inside] { inside(*window); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [window] {
            ADD_FAILURE() << "the settings window was left open";
            if (window) window->hide();
        });
        watchdog.start(2000);
        window->ShowModalAt(left, top);
    }

    testing_support::TempFolder folder;
    testing_support::RecordingWorld world;
};
