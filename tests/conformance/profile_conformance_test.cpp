// The settings-file rules that both implementations follow: ours on POSIX and the system's
// profile functions on Windows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "conformance/os_helpers.h"
#include "platform/profile.h"

namespace {

using conformance::Utf8;
using testing_support::TempFolder;

// The file's lines, whichever line ending the writer chose.
std::vector<std::string> LinesOf(const std::string& content) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : content) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

class ProfileConformance : public ::testing::Test {
  protected:
    std::string Read(const std::string& section, const std::string& key) {
        return platform::ReadProfileValue(section, key, "<default>", ini);
    }
    bool Write(const std::string& section, const std::string& key, const std::string& value) {
        error.clear();
        return platform::WriteProfileValue(section, key, value, ini, &error);
    }
    void SetContent(const std::string& content) { folder.WriteFile("Quillmere.ini", content); }
    std::vector<std::string> Lines() { return LinesOf(folder.ReadFile("Quillmere.ini")); }

    TempFolder folder;
    std::string ini = folder.Join("Quillmere.ini");
    std::string error;
};

// One settings file read by the profile rules, one row a rule.
constexpr const char* kRulesFile =
    "[exepath]\r\n"
    "kiffwin=C:\\Kifu\\KifuW.exe\r\n"
    "KShogi =  C:\\K Shogi\\K-Shogi64.exe  \r\n"
    "UWSC=\"C:\\UWSC\\UWSC.exe\"\r\n"
    "Terapad='C:\\TeraPad\\TeraPad.exe'\r\n"
    "Empty=\r\n"
    "Inner=\"a\" b\"\r\n"
    "; Comment=no\r\n"
    "[Other]\r\n"
    "Only=other\r\n";

struct ReadingRule {
    const char* name;
    const char* section;
    const char* key;
    const char* expected;
};

class ProfileReading : public ProfileConformance,
                       public ::testing::WithParamInterface<ReadingRule> {};

TEST_P(ProfileReading, FollowsTheProfileRules) {
    SetContent(kRulesFile);
    EXPECT_EQ(Read(GetParam().section, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileReading,
    ::testing::Values(
        ReadingRule{"NamesMatchInAnyCase", "ExePath", "KifFWin", "C:\\Kifu\\KifuW.exe"},
        ReadingRule{"BlanksAroundAreDropped", "EXEPATH", "kshogi", "C:\\K Shogi\\K-Shogi64.exe"},
        ReadingRule{"OnePairOfQuotesIsDropped", "ExePath", "UWSC", "C:\\UWSC\\UWSC.exe"},
        ReadingRule{"SingleQuotesToo", "ExePath", "Terapad", "C:\\TeraPad\\TeraPad.exe"},
        ReadingRule{"EmptyValue", "ExePath", "Empty", ""},
        ReadingRule{"InnerQuotesStay", "ExePath", "Inner", "a\" b"},
        ReadingRule{"MissingKeyGivesTheDefault", "ExePath", "Missing", "<default>"},
        ReadingRule{"KeysOfOtherSectionsAreNotSeen", "ExePath", "Only", "<default>"},
        ReadingRule{"MissingSectionGivesTheDefault", "Missing", "KifFWin", "<default>"},
        ReadingRule{"OtherSectionsAreRead", "Other", "Only", "other"}),
    [](const ::testing::TestParamInfo<ReadingRule>& info) { return std::string(info.param.name); });

TEST_F(ProfileConformance, AMissingFileGivesTheDefaultAndIsNotMade) {
    ini = folder.Join("missing.ini");
    EXPECT_EQ(Read("ExePath", "KifFWin"), "<default>");
    EXPECT_FALSE(folder.Exists("missing.ini"));
}

TEST_F(ProfileConformance, WritingCreatesTheFileAndTheSection) {
    ASSERT_TRUE(Write("ExePath", "KifFWin", "C:\\Kifu\\KifuW.exe")) << error;
    ASSERT_TRUE(Write("ExePath", "KShogi", "")) << error;
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[ExePath]", "KifFWin=C:\\Kifu\\KifuW.exe", "KShogi="}));
    EXPECT_EQ(Read("ExePath", "KifFWin"), "C:\\Kifu\\KifuW.exe");
    EXPECT_EQ(Read("ExePath", "KShogi"), "");
}

TEST_F(ProfileConformance, WritingReplacesTheKeyInPlaceAndKeepsEveryOtherLine) {
    SetContent(
        "; paths of the outside programs\r\n"
        "[ExePath]\r\n"
        "KifFWin=old\r\n"
        "UWSC=C:\\UWSC\\UWSC.exe\r\n"
        "[Other]\r\n"
        "KifFWin=other\r\n");
    ASSERT_TRUE(Write("exepath", "KIFFWIN", "C:\\new\\KifuW.exe")) << error;
    ASSERT_TRUE(Write("ExePath", "Terapad", "C:\\TeraPad\\TeraPad.exe")) << error;
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "; paths of the outside programs");
    EXPECT_EQ(lines[1], "[ExePath]");
    // The key keeps its own spelling; only the value changes.
    EXPECT_EQ(lines[2], "KifFWin=C:\\new\\KifuW.exe");
    EXPECT_EQ(lines[3], "UWSC=C:\\UWSC\\UWSC.exe");
    EXPECT_EQ(lines[4], "Terapad=C:\\TeraPad\\TeraPad.exe");
    EXPECT_EQ(lines[5], "[Other]");
    EXPECT_EQ(lines[6], "KifFWin=other");
}

TEST_F(ProfileConformance, ValuesComeBackAtFullLength) {
    std::string value = "C:\\";
    while (value.size() < 5000) value += "long folder name\\";
    value += "KifuW.exe";
    ASSERT_TRUE(Write("ExePath", "KifFWin", value)) << error;
    EXPECT_EQ(Read("ExePath", "KifFWin"), value);
}

TEST_F(ProfileConformance, JapanesePathsSurviveAWriteWhole) {
    SetContent("[ExePath]\r\nUWSC=C:\\UWSC\\UWSC.exe\r\n");
    std::string value = Utf8(u8"C:\\将棋\\");
    while (value.size() < 400) value += Utf8(u8"棋譜フォルダ\\");
    value += "KifuW.exe";
    ASSERT_TRUE(Write("ExePath", "KifFWin", value)) << error;
    EXPECT_EQ(Read("ExePath", "KifFWin"), value);
    EXPECT_EQ(Read("ExePath", "UWSC"), "C:\\UWSC\\UWSC.exe");
}

TEST_F(ProfileConformance, AFailedWriteSaysSo) {
    ini = folder.Join("missing folder/Quillmere.ini");
    EXPECT_FALSE(Write("ExePath", "KifFWin", "C:\\x.exe"));
    EXPECT_FALSE(error.empty());

    ini = folder.Join("Quillmere.ini");
    SetContent("[ExePath]\r\nKifFWin=kept\r\n");
    EXPECT_FALSE(Write("ExePath", "KifFWin", "two\r\nlines"));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Read("ExePath", "KifFWin"), "kept");
}

}  // namespace
