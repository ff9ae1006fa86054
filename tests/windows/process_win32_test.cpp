// Starting and opening on Windows: what the system adds to a command line of its own accord, the
// shell's file associations, and the program folder at a drive root.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "conformance/os_helpers.h"
#include "platform/process.h"

namespace {

using testing_support::TempFolder;
using testing_support::Wide;

constexpr std::chrono::seconds kStartTimeout{60};

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

class ProcessWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.MakeFolder("Program Files/Stand In");
        program = folder.Join("Program Files/Stand In/run me.exe");
        conformance::CopyProgram(conformance::StandInProgram(), program);
        conformance::SetRecordFile(record);
    }
    TempFolder folder;
    std::string program;
    std::string record = folder.Join("record.txt");
};

TEST_F(ProcessWin32, FindProgramAddsExeToANameWithoutExtension) {
    // A folder named like a shorter prefix is passed over.
    folder.MakeFolder("Program");
    const std::string withoutExe = folder.Join("Program Files/Stand In/run me");
    platform::ProgramAndArguments found = platform::FindProgram(withoutExe + " a b");
    EXPECT_EQ(found.program, program);
    EXPECT_EQ(found.arguments, "a b");
    EXPECT_EQ(platform::FindProgram('"' + withoutExe + "\" a").program, program);
    // A name that has an extension is taken as it is.
    folder.WriteFile("Program Files/Stand In/run.me", "not a program");
    EXPECT_EQ(platform::FindProgram(folder.Join("Program Files/Stand In/run.me x")).program,
              folder.Join("Program Files/Stand In/run.me"));
}

TEST_F(ProcessWin32, TheSystemFindsAProgramNamedWithoutExe) {
    std::string error;
    ASSERT_TRUE(
        platform::StartCommandLine(folder.Join("Program Files/Stand In/run me") + " x", &error))
        << error;
    const std::optional<std::string> content = conformance::WaitForFile(record, kStartTimeout);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(*content, folder.Join("Program Files/Stand In") + "\nx\n");
}

TEST_F(ProcessWin32, AFileThatIsNoProgramIsReported) {
    const std::string text = folder.WriteFile("notes.exe", "not a program");
    std::string error;
    EXPECT_FALSE(platform::StartCommandLine(text, &error));
    EXPECT_FALSE(error.empty());
}

// A file type of our own, opened by the stand-in, registered for the time of one test.
class FileAssociation {
  public:
    FileAssociation(const std::wstring& extension, const std::wstring& command)
        : extension_(extension) {
        ok_ = SetDefault(extension_, kTypeName) &&
              SetDefault(std::wstring(kTypeName) + L"\\shell\\open\\command", command);
    }
    ~FileAssociation() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, extension_.c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kTypeName);
    }
    FileAssociation(const FileAssociation&) = delete;
    FileAssociation& operator=(const FileAssociation&) = delete;
    bool ok() const { return ok_; }

  private:
    static constexpr const wchar_t* kTypeName = L"Quillmere.TestFile";
    static bool SetDefault(const std::wstring& keyName, const std::wstring& value) {
        HKEY key;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const LONG result =
            RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }
    std::wstring extension_;
    bool ok_ = false;
};

TEST_F(ProcessWin32, OpenWithSystemHandsThePathToTheRegisteredProgram) {
    const FileAssociation association(L".quilltest", L"\"" + Wide(program) + L"\" \"%1\"");
    if (!association.ok()) GTEST_SKIP() << "file types cannot be registered here";
    const std::string page = folder.WriteFile("book one/p012 page.quilltest", "image");
    std::string error;
    ASSERT_TRUE(platform::OpenWithSystem(page, &error)) << error;
    const std::optional<std::string> content = conformance::WaitForFile(record, kStartTimeout);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(*content, folder.Join("Program Files/Stand In") + "\n" + page + "\n");
}

TEST_F(ProcessWin32, OpeningAMissingFileIsReported) {
    std::string error;
    EXPECT_FALSE(platform::OpenWithSystem(folder.Join("missing.jpg"), &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(platform::OpenWithSystem("", &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(ProcessWin32, AtADriveRootTheProgramFolderKeepsItsSeparator) {
    std::mt19937_64 random{std::random_device{}()};
    const std::string atRoot = "C:\\quill-root-" + std::to_string(random() % 1000000) + ".exe";
    if (CopyFileW(Wide(program).c_str(), Wide(atRoot).c_str(), TRUE) == 0) {
        GTEST_SKIP() << "the drive root cannot be written here";
    }
    std::string error;
    const bool started = platform::StartCommandLine(atRoot, &error);
    const std::optional<std::string> content = conformance::WaitForFile(record, kStartTimeout);
    // The program may still be on its way out.
    for (int attempt = 0; attempt < 100 && DeleteFileW(Wide(atRoot).c_str()) == 0; ++attempt) {
        Sleep(100);
    }
    ASSERT_TRUE(started) << error;
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(FirstLine(*content), "C:\\");
}

}  // namespace
