#include "support_test_helpers.h"

namespace {

using testing_support::ProgramFolderTest;
using Texts = std::vector<std::string>;

std::string InSystemSounds(const std::string& name) {
    return std::string(modConst::kSystemSoundFolder) + std::string(modConst::kSep) + name;
}

class PlaySoundFileTest : public ProgramFolderTest {};

TEST_F(PlaySoundFileTest, ProgramFolderComesFirst) {
    const std::string sound = folder.WriteFile("start.wav", "RIFF");
    modFunc::PlaySoundFile("start.wav");
    EXPECT_EQ(world.sounds, Texts{sound});
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(PlaySoundFileTest, MissingSoundFallsBackToTheSystemFolder) {
    modFunc::PlaySoundFile("start.wav");
    EXPECT_EQ(world.sounds, Texts{InSystemSounds("start.wav")});
    EXPECT_TRUE(world.messages.empty());
}

class OpenInEditorTest : public ProgramFolderTest {};

TEST_F(OpenInEditorTest, StartsTheEditorOnTheQuotedFile) {
    const std::string editor = folder.WriteFile("Tera Pad/TeraPad.exe", "x");
    const std::string file = folder.Join("my book/p 012.kif.txt");
    modFunc::OpenInEditor(editor, file);
    EXPECT_EQ(world.commandLines, Texts{editor + " \"" + file + "\""});
    // The editor's own path is named as the program, so no shorter prefix of it runs instead.
    EXPECT_EQ(world.programs, Texts{editor});
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(OpenInEditorTest, MissingEditorIsNamedOnAnIndentedLine) {
    const std::string editor = folder.Join("Tera Pad/TeraPad.exe");
    modFunc::OpenInEditor(editor, folder.Join("Template.txt"));
    EXPECT_EQ(world.messages, Texts{"次のエディタが見つかりません\r\n  " + editor});
    EXPECT_TRUE(world.commandLines.empty());
}

TEST_F(OpenInEditorTest, ZeroByteEditorCountsAsMissingAndIsDeleted) {
    const std::string editor = folder.WriteFile("TeraPad.exe", "");
    modFunc::OpenInEditor(editor, folder.Join("Template.txt"));
    EXPECT_EQ(world.messages, Texts{"次のエディタが見つかりません\r\n  " + editor});
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_FALSE(folder.Exists("TeraPad.exe"));
}

TEST_F(OpenInEditorTest, EditorThatCannotStartIsReported) {
    const std::string editor = folder.WriteFile("TeraPad.exe", "not a program");
    world.startSucceeds = false;
    modFunc::OpenInEditor(editor, "a.txt");
    const std::string line = editor + " \"a.txt\"";
    EXPECT_EQ(world.commandLines, Texts{line});
    EXPECT_EQ(world.messages, Texts{"次のコマンドを起動できませんでした。\r\n  " + line});
}

TEST(StartProgram, AnswersWhetherTheProgramStarted) {
    testing_support::RecordingWorld world;
    EXPECT_TRUE(modFunc::StartProgram("ok.exe", "ok.exe arg"));
    EXPECT_TRUE(world.messages.empty());
    world.startSucceeds = false;
    EXPECT_FALSE(modFunc::StartProgram("bad.exe", "bad.exe arg"));
    EXPECT_EQ(world.programs, (Texts{"ok.exe", "bad.exe"}));
    EXPECT_EQ(world.messages, Texts{"次のコマンドを起動できませんでした。\r\n  bad.exe arg"});
}

}  // namespace
