#include "support/command_lines.h"

#include "platform/process.h"
#include "support_test_helpers.h"

namespace {

using testing_support::WithSep;
using Arguments = std::vector<std::string>;

const std::string kUwsc = WithSep(R"(C:\Program Files\UWSC\UWSC.exe)");
const std::string kProgramFolder = WithSep(R"(C:\my tools\quill)");
const std::string kTeraPad = WithSep(R"(C:\Program Files\TeraPad\TeraPad.exe)");

TEST(CommandLines, ProgramAloneIsThePathUnchanged) {
    EXPECT_EQ(commandLine::ProgramAlone(kUwsc), kUwsc);
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

// Windows paths hold no double quotes, but other systems allow them in names; such a name must
// still reach the started program as the same argument(s).
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

}  // namespace
