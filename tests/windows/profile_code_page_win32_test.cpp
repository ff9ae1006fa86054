// The settings file on Windows: ANSI as long as the ANSI code page holds the text, UTF-16 as soon
// as it does not, and never a "?" in place of a character.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "conformance/os_helpers.h"
#include "platform/profile.h"

namespace {

using conformance::Utf8;
using testing_support::TempFolder;
using testing_support::Wide;

const std::string kUtf16Bom = "\xFF\xFE";

// The bytes the ANSI code page gives the text, or nothing when it cannot hold it.
std::optional<std::string> Ansi(const std::string& utf8) {
    const std::wstring wide = Wide(utf8);
    BOOL lost = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost);
    if (lost) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        ansi.data(), length, nullptr, &lost);
    return ansi;
}

// The UTF-16 text of a file that starts with its byte-order mark, as UTF-8.
std::string FromUtf16File(const std::string& bytes) {
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    memcpy(wide.data(), bytes.data() + 2, wide.size() * 2);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

class SettingsCodePage : public ::testing::Test {
  protected:
    void SetUp() override {
        // A path in the system's own script: Japanese on the systems the program is made for.
        for (const char8_t* candidate : {u8"C:\\将棋\\KifuW.exe", u8"C:\\Café\\KifuW.exe"}) {
            const std::string text = Utf8(candidate);
            if (const std::optional<std::string> ansi = Ansi(text)) {
                ansiPath = text;
                ansiBytes = *ansi;
                break;
            }
        }
        if (ansiPath.empty()) GTEST_SKIP() << "no test path fits code page " << GetACP();
        ASSERT_FALSE(Ansi(foreignPath).has_value()) << "code page " << GetACP();
    }
    std::string Read(const std::string& key) {
        return platform::ReadProfileValue("ExePath", key, "<default>", ini);
    }
    bool Write(const std::string& key, const std::string& value) {
        error.clear();
        return platform::WriteProfileValue("ExePath", key, value, ini, &error);
    }
    std::string Content() { return folder.ReadFile("Quillmere.ini"); }

    TempFolder folder;
    std::string ini = folder.Join("Quillmere.ini");
    std::string error;
    std::string ansiPath;
    std::string ansiBytes;
    // Hangul, which neither the Japanese nor the Western code pages hold.
    const std::string foreignPath = Utf8(u8"C:\\한글\\KifuW.exe");
};

TEST_F(SettingsCodePage, TextTheCodePageHoldsIsStoredInIt) {
    ASSERT_TRUE(Write("KifFWin", ansiPath)) << error;
    const std::string content = Content();
    EXPECT_NE(content.substr(0, 2), kUtf16Bom);
    EXPECT_NE(content.find("KifFWin=" + ansiBytes), std::string::npos);
    EXPECT_EQ(Read("KifFWin"), ansiPath);
}

TEST_F(SettingsCodePage, OtherTextMakesANewFileUtf16AndSurvives) {
    ASSERT_TRUE(Write("KifFWin", foreignPath)) << error;
    ASSERT_TRUE(Write("UWSC", "C:\\UWSC\\UWSC.exe")) << error;
    ASSERT_TRUE(Write("KShogi", ansiPath)) << error;
    EXPECT_EQ(Content().substr(0, 2), kUtf16Bom);
    EXPECT_EQ(Read("KifFWin"), foreignPath);
    EXPECT_EQ(Read("UWSC"), "C:\\UWSC\\UWSC.exe");
    EXPECT_EQ(Read("KShogi"), ansiPath);
    EXPECT_EQ(Content().find('?'), std::string::npos);
}

TEST_F(SettingsCodePage, AnAnsiFileIsTurnedIntoUtf16KeepingItsText) {
    folder.WriteFile("Quillmere.ini",
                     "; " + ansiBytes + "\r\n[ExePath]\r\nKShogi=" + ansiBytes + "\r\n");
    ASSERT_EQ(Read("KShogi"), ansiPath);
    ASSERT_TRUE(Write("KifFWin", foreignPath)) << error;

    const std::string content = Content();
    ASSERT_EQ(content.substr(0, 2), kUtf16Bom);
    EXPECT_NE(FromUtf16File(content).find("; " + ansiPath), std::string::npos);
    EXPECT_EQ(Read("KShogi"), ansiPath);
    EXPECT_EQ(Read("KifFWin"), foreignPath);
}

TEST_F(SettingsCodePage, AReadOnlyAnsiFileIsNotTouched) {
    const std::string before = "[ExePath]\r\nKShogi=" + ansiBytes + "\r\n";
    folder.WriteFile("Quillmere.ini", before);
    conformance::MakeReadOnly(ini);
    EXPECT_FALSE(Write("KifFWin", foreignPath));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Content(), before);
}

TEST(SettingsFileWin32, ABareFileNameMeansTheCurrentFolder) {
    TempFolder folder;
    wchar_t previous[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_NE(SetCurrentDirectoryW(Wide(folder.path()).c_str()), 0);
    std::string error;
    const bool written = platform::WriteProfileValue("ExePath", "UWSC", "u", "bare.ini", &error);
    const std::string read = platform::ReadProfileValue("ExePath", "UWSC", "", "bare.ini");
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(read, "u");
    EXPECT_TRUE(folder.Exists("bare.ini"));
}

}  // namespace
