#include "support/command_lines.h"

#include "platform/command_line_split.h"
#include "support_test_helpers.h"

namespace {

using testing_support::WithSep;
using Arguments = std::vector<std::string>;

const std::string kUwsc = WithSep(R"(C:\Program Files\UWSC\UWSC.exe)");
const std::string kProgramFolder = WithSep(R"(C:\my tools\quill)");
const std::string kTeraPad = WithSep(R"(C:\Program Files\TeraPad\TeraPad.exe)");

TEST(CommandLines, ProgramAloneIsThePathUnchanged) {
    EXPECT_EQ(commandLine::ProgramAlone(WithSep(R"(C:\Program Files\UWSC\UWSC.exe)")),
              WithSep(R"(C:\Program Files\UWSC\UWSC.exe)"));
}

TEST(CommandLines, EditorQuotesOnlyTheFile) {
    EXPECT_EQ(commandLine::Editor(kTeraPad, WithSep(R"(C:\my tools\quill\Template.txt)")),
              kTeraPad + " \"" + WithSep(R"(C:\my tools\quill\Template.txt)") + "\"");
}

TEST(CommandLines, ScriptsTakeTheirArgumentsUnquoted) {
    EXPECT_EQ(commandLine::SaveKifScript(kUwsc, kProgramFolder,
                                         WithSep(R"(C:\my tools\book\book A\p007)")),
              kUwsc + " " + WithSep(R"(C:\my tools\quill\uwsSaveKif.uws)") + " " +
                  WithSep(R"(C:\my tools\book\book A\p007)"));
    EXPECT_EQ(commandLine::OpenStartScript(kUwsc, kProgramFolder,
                                           WithSep(R"(C:\my tools\book\book A\p007.kif)")),
              kUwsc + " " + WithSep(R"(C:\my tools\quill\uwsOpenStart.uws)") + " " +
                  WithSep(R"(C:\my tools\book\book A\p007.kif)"));
    EXPECT_EQ(commandLine::EditTxtScript(kUwsc, kProgramFolder, kTeraPad,
                                         WithSep(R"(C:\my tools\book\book A\p007.kif.txt)")),
              kUwsc + " " + WithSep(R"(C:\my tools\quill\uwsEditTxt.uws)") + " " +
                  WithSep(R"(C:\Program<spc>Files\TeraPad\TeraPad.exe)") + " " +
                  WithSep(R"(C:\my tools\book\book A\p007.kif.txt)"));
}

TEST(CommandLines, EmptyEditorPathLeavesAnEmptyArgument) {
    EXPECT_EQ(commandLine::EditTxtScript("UWSC.exe", "q", "", "b.txt"),
              "UWSC.exe q" + std::string(modConst::kSep) + "uwsEditTxt.uws  b.txt");
}

TEST(CommandLines, EncodeSpacesReplacesEverySpaceOnly) {
    EXPECT_EQ(commandLine::EncodeSpaces(" a  b "), "<spc>a<spc><spc>b<spc>");
    EXPECT_EQ(commandLine::EncodeSpaces("TeraPad.exe"), "TeraPad.exe");
    EXPECT_EQ(commandLine::EncodeSpaces("a\tb\u3000c"), "a\tb\u3000c");
    EXPECT_EQ(commandLine::EncodeSpaces(""), "");
}

// On Windows the script runner reads its line itself: the editor's path reaches the script as
// the user typed it, quotes pasted with it included; only its spaces become "<spc>".
TEST(CommandLines, OnWindowsTheEditorPathArrivesAsTyped) {
    const std::string typed = R"("C:\Program Files\TeraPad\TeraPad.exe")";
    const std::string line = commandLine::EditTxtScript("UWSC.exe", "q", typed, "b.txt");
#ifdef _WIN32
    EXPECT_EQ(line,
              R"(UWSC.exe q\uwsEditTxt.uws "C:\Program<spc>Files\TeraPad\TeraPad.exe" b.txt)");
#else
    // The POSIX launcher splits the line itself, and needs the quotes escaped to keep them.
    EXPECT_EQ(platform::SplitCommandLine(line.substr(9)),
              (Arguments{"q/uwsEditTxt.uws", commandLine::EncodeSpaces(typed), "b.txt"}));
#endif
}

// A script receives a path unquoted, split at blanks and joined again with single spaces: only a
// path without a tab, two blanks in a row, or a blank at either end arrives as itself. An
// editor's path must also not hold "<spc>" itself.
TEST(CommandLines, PathsThatWouldArriveAsOthersAreTold) {
    for (const std::string& path : {std::string("/b/Book A/p001.kif"), std::string("/b/A/ p.kif"),
                                    std::string("/b/\"q\"/p.kif"), std::string("/b/A\nB/p.kif")}) {
        EXPECT_TRUE(commandLine::ArrivesWhole(path)) << path;
    }
    for (const std::string& path :
         {std::string("/b/Two  blanks/p.kif"), std::string("/b/A\tB/p.kif"),
          std::string(" /b/p.kif"), std::string("/b/p.kif "), std::string()}) {
        EXPECT_FALSE(commandLine::ArrivesWhole(path)) << path;
    }
    EXPECT_TRUE(commandLine::EditorArrivesWhole("/opt/Tera Pad/TeraPad"));
    EXPECT_TRUE(commandLine::EditorArrivesWhole("/opt/<sp>/x"));
    EXPECT_FALSE(commandLine::EditorArrivesWhole("/opt/a<spc>b/TeraPad"));
    EXPECT_FALSE(commandLine::EditorArrivesWhole("/opt/a\tb/TeraPad"));
}

#ifndef _WIN32
// Other systems allow double quotes in names; such a name must still reach the started program
// as the same argument(s) through the POSIX launcher, which splits the line.
TEST(CommandLines, QuotesAndBackslashesInNamesSurviveSplitting) {
    const std::string odd = "/home/u/my \"best\" book\\\\/p\\\"1.kif";
    EXPECT_EQ(platform::SplitCommandLine(commandLine::Editor("ed", odd).substr(3)), Arguments{odd});
    EXPECT_EQ(platform::SplitCommandLine(commandLine::Editor("ed", R"(C:\dir\)").substr(3)),
              Arguments{R"(C:\dir\)"});
    EXPECT_EQ(commandLine::Editor("ed", R"(C:\a\b.txt)"), R"(ed "C:\a\b.txt")");

    const std::string line = commandLine::OpenStartScript("u", "/q\"x", "/b/a\"b.kif");
    EXPECT_EQ(
        platform::SplitCommandLine(line.substr(2)),
        (Arguments{"/q\"x" + std::string(modConst::kSep) + "uwsOpenStart.uws", "/b/a\"b.kif"}));
}
#endif

}  // namespace
