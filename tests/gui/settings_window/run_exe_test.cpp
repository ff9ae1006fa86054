// The four "起動" buttons: the box's current text started alone, or a message naming it.
#include "settings_window_fixture.h"

namespace {

using RunExe = SettingsWindowTest;

std::string MissingMessage(const std::string& path) {
    return std::string(modConst::kMsgFileDoesNotExist) + "\r\n  " + path;
}

TEST_F(RunExe, EachButtonStartsItsOwnBoxAloneEvenUnsaved) {
    std::vector<std::string> programs;
    for (const char* name : {"KifuW.exe", "K Shogi/K-Shogi64.exe", "UWSC.exe", "TeraPad.exe"}) {
        programs.push_back(folder.WriteFile(std::string("tools/") + name, "MZ"));
    }
    SetBoxTexts(programs);
    for (const char* name : {"cmdRunExe_0", "cmdRunExe_1", "cmdRunExe_2", "cmdRunExe_3"}) {
        Button(name)->click();
    }
    EXPECT_EQ(world.commandLines, programs);
    EXPECT_TRUE(world.messages.empty());
    EXPECT_FALSE(folder.Exists("Quillmere.ini"));
}

TEST_F(RunExe, UnusablePathsAreReportedAsTheBoxHoldsThem) {
    const std::string empty = folder.WriteFile("empty.exe", "");
    const std::string quoted = "\"" + folder.WriteFile("quoted.exe", "MZ") + "\"";
    const std::string folderPath = folder.MakeFolder("a folder");
    SetBoxTexts({"", quoted, empty, folderPath});
    for (int index = 0; index < frmIni::kPathCount; ++index) frmIni::Get().cmdRunExe_Click(index);

    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_EQ(world.messages,
              (std::vector<std::string>{S(modConst::kMsgFileDoesNotExist) + "\r\n  ",
                                        MissingMessage(quoted), MissingMessage(empty),
                                        MissingMessage(folderPath)}));
    EXPECT_FALSE(folder.Exists("empty.exe"));
    EXPECT_TRUE(folder.Exists("quoted.exe"));
}

TEST_F(RunExe, ProgramThatWillNotStartGetsOnlyTheStartersMessage) {
    world.startSucceeds = false;
    frmIni::Get()
        .PathBox(frmIni::kTerapad)
        ->setText(QString::fromStdString(folder.WriteFile("notes.txt", "text")));
    frmIni::Get().cmdRunExe_Click(frmIni::kTerapad);
    EXPECT_EQ(world.commandLines.size(), 1u);
    EXPECT_EQ(world.messages.size(), 1u);
}

}  // namespace
