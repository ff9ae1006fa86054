#include "support_test_helpers.h"

namespace {

using testing_support::ProgramFolderTest;

const std::string kSection(modConst::kIniSection);

class SettingsFileTest : public ProgramFolderTest {};

TEST_F(SettingsFileTest, LivesInTheProgramFolder) {
    EXPECT_EQ(modFunc::IniFilePath(), folder.Join("Quillmere.ini"));
}

TEST_F(SettingsFileTest, MissingFileGivesTheDefaultAndIsNotCreated) {
    EXPECT_EQ(modFunc::ReadIniValue(kSection, "KifFWin", ""), "");
    EXPECT_EQ(modFunc::ReadIniValue(kSection, "KifFWin", "fallback"), "fallback");
    EXPECT_FALSE(folder.Exists("Quillmere.ini"));
}

TEST_F(SettingsFileTest, FourPathsRoundTrip) {
    const std::vector<std::pair<std::string, std::string>> paths = {
        {"KifFWin", folder.Join("Kifu for Windows/KifuW.exe")},
        {"KShogi", folder.Join("将棋/K-Shogi64.exe")},
        {"UWSC", folder.Join("UWSC/UWSC.exe")},
        {"Terapad", ""},
    };
    for (const auto& [key, value] : paths) {
        std::string error;
        EXPECT_TRUE(modFunc::WriteIniValue(kSection, key, value, &error)) << error;
    }
    ASSERT_TRUE(folder.Exists("Quillmere.ini"));
    for (const auto& [key, value] : paths) {
        EXPECT_EQ(modFunc::ReadIniValue(kSection, key, "fallback"), value) << key;
    }
    EXPECT_EQ(modFunc::ReadIniValue(kSection, "kiffwin", ""), paths[0].second);
}

TEST_F(SettingsFileTest, LongValueComesBackWhole) {
    std::string longPath = folder.path();
    while (longPath.size() < 300) longPath += std::string(modConst::kSep) + "詰将棋の本";
    ASSERT_TRUE(modFunc::WriteIniValue(kSection, "Terapad", longPath));
    EXPECT_EQ(modFunc::ReadIniValue(kSection, "Terapad", ""), longPath);
}

TEST_F(SettingsFileTest, FailedWriteIsReportedToTheCallerOnly) {
    modFunc::OverrideProgramFolder(folder.Join("missing"));
    std::string error;
    EXPECT_FALSE(modFunc::WriteIniValue(kSection, "UWSC", "UWSC.exe", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(modFunc::WriteIniValue(kSection, "UWSC", "UWSC.exe"));
    EXPECT_TRUE(world.messages.empty());
}

}  // namespace
