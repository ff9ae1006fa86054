// Files dropped onto the path boxes, as the desktop delivers them.
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "settings_window_fixture.h"

namespace {

using Drop = SettingsWindowTest;

std::unique_ptr<QMimeData> Files(const std::vector<std::string>& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data->setUrls(urls);
    return data;
}

std::unique_ptr<QMimeData> Text(const std::string& text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(text));
    return data;
}

// Drags `data` over the box and drops it; gives the drop event as the source would see it.
struct DropAnswer {
    bool accepted;
    Qt::DropAction action;
};
DropAnswer DropOn(int index, const QMimeData& data,
                  Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
    QLineEdit* box = frmIni::Get().PathBox(index);
    const QPoint centre = box->rect().center();
    QDragEnterEvent enter(centre, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    EXPECT_TRUE(enter.isAccepted()) << "a drag must be let in so its drop arrives";
    QDropEvent drop(QPointF(centre), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &drop);
    return {drop.isAccepted(), drop.dropAction()};
}

TEST_F(Drop, DroppedFileReplacesTheBoxTextSilentlyWithoutSaving) {
    const std::string program = folder.WriteFile("Program Files/Kifu W/KifuW.exe", "MZ");
    frmIni::Get().PathBox(frmIni::kKifFWin)->setText("/old/KifuW.exe");
    const DropAnswer answer = DropOn(frmIni::kKifFWin, *Files({program}));
    EXPECT_EQ(frmIni::Get().KifFWinPath(), program);
    EXPECT_TRUE(world.messages.empty());
    EXPECT_FALSE(folder.Exists("Quillmere.ini"));
    // The source keeps its file: we only copy its name.
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.action, Qt::CopyAction);
}

TEST_F(Drop, EachBoxTakesTheFirstFileOfItsOwnDrop) {
    std::vector<std::string> programs;
    for (const char* name : {"a.exe", "b.exe", "c.exe", "d.exe"}) {
        programs.push_back(folder.WriteFile(name, "MZ"));
    }
    for (int index = 0; index < frmIni::kPathCount; ++index) {
        DropOn(index,
               *Files({programs[index], programs[(index + 1) % 4], programs[(index + 2) % 4]}));
    }
    EXPECT_EQ(BoxTexts(), programs);
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(Drop, DropsWithoutAUsableFileAreRefusedAndTheBoxKept) {
    const std::string existing = folder.WriteFile("KifuW.exe", "MZ");
    const std::string emptyFile = folder.WriteFile("empty.exe", "");
    auto webLink = std::make_unique<QMimeData>();
    webLink->setUrls({QUrl("https://example.com/KifuW.exe")});

    frmIni::Get().PathBox(frmIni::kUWSC)->setText("/keep/UWSC.exe");
    std::vector<DropAnswer> answers;
    answers.push_back(DropOn(frmIni::kUWSC, *Text("typed text")));
    answers.push_back(DropOn(frmIni::kUWSC, *Text(existing)));  // a path as text is no file list
    answers.push_back(DropOn(frmIni::kUWSC, *Files({folder.MakeFolder("tools")})));
    answers.push_back(DropOn(frmIni::kUWSC, *Files({emptyFile})));
    answers.push_back(DropOn(frmIni::kUWSC, *webLink));

    EXPECT_EQ(frmIni::Get().UWSCPath(), "/keep/UWSC.exe");
    EXPECT_EQ(world.messages, std::vector<std::string>(answers.size(), S(modConst::kMsgDropAFile)));
    EXPECT_FALSE(folder.Exists("empty.exe"));
    // Dragged text is never cut out of where it came from.
    for (const DropAnswer& answer : answers) EXPECT_NE(answer.action, Qt::MoveAction);
}

TEST_F(Drop, MoveOnlySourceIsToldNothingWasTaken) {
    const std::string program = folder.WriteFile("TeraPad.exe", "MZ");
    const DropAnswer answer = DropOn(frmIni::kTerapad, *Files({program}), Qt::MoveAction);
    EXPECT_EQ(frmIni::Get().TerapadPath(), program);
    EXPECT_FALSE(answer.accepted);
}

}  // namespace
