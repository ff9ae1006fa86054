#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/temp_folder.h"

namespace {

using platform::ReadProfileValue;
using platform::WriteProfileValue;
using testing_support::TempFolder;

class ProfileTest : public ::testing::Test {
  protected:
    std::string Read(const std::string& section, const std::string& key) {
        return ReadProfileValue(section, key, "<default>", ini);
    }
    bool Write(const std::string& section, const std::string& key, const std::string& value) {
        error.clear();
        return WriteProfileValue(section, key, value, ini, &error);
    }
    std::string Content() { return folder.ReadFile("Quillmere.ini"); }
    void SetContent(const std::string& content) { folder.WriteFile("Quillmere.ini", content); }

    TempFolder folder;
    std::string ini = folder.Join("Quillmere.ini");
    std::string error;
};

TEST_F(ProfileTest, NamesMatchRegardlessOfAsciiCaseAndBlanks) {
    SetContent("\xEF\xBB\xBF  [ exepath ]  \nkiffwin=C:/Kifu\n  UWSC\t = C:/U\n");
    EXPECT_EQ(Read("ExePath", "KifFWin"), "C:/Kifu");
    EXPECT_EQ(Read("EXEPATH", "uwsc"), "C:/U");
    EXPECT_EQ(Read("ExePäth", "KifFWin"), "<default>");
}

TEST_F(ProfileTest, ValueLosesSurroundingBlanksAndOnePairOfQuotes) {
    SetContent(
        "[S]\nblanks= \t C:/a b \t\ndouble=\"C:/x\"\nsingle=  'C:/y'  \nmixed=\"C:/z'\n"
        "lone=\"\ninner=\"a\" b\"\nempty=\n;comment=1\nno equals sign\n");
    EXPECT_EQ(Read("S", "blanks"), "C:/a b");
    EXPECT_EQ(Read("S", "double"), "C:/x");
    EXPECT_EQ(Read("S", "single"), "C:/y");
    EXPECT_EQ(Read("S", "mixed"), "\"C:/z'");
    EXPECT_EQ(Read("S", "lone"), "\"");
    EXPECT_EQ(Read("S", "inner"), "a\" b");
    EXPECT_EQ(Read("S", "empty"), "");
    EXPECT_EQ(Read("S", ";comment"), "<default>");
    EXPECT_EQ(Read("S", "no equals sign"), "<default>");
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesDefault) {
    EXPECT_EQ(Read("ExePath", "KifFWin"), "<default>");
    SetContent("Loose=before any section\n[Other]\nKifFWin=C:/other\n[ExePath]\nUWSC=C:/u\n");
    EXPECT_EQ(Read("Missing", "UWSC"), "<default>");
    EXPECT_EQ(Read("ExePath", "KifFWin"), "<default>");
    EXPECT_EQ(Read("ExePath", "Loose"), "<default>");
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyWin) {
    SetContent("[A]\nk=first\nk=second\n[a]\nk=third\nonly=later\n");
    EXPECT_EQ(Read("A", "k"), "first");
    EXPECT_EQ(Read("A", "only"), "<default>");
    ASSERT_TRUE(Write("a", "K", "new")) << error;
    EXPECT_EQ(Content(), "[A]\nk=new\nk=second\n[a]\nk=third\nonly=later\n");
}

TEST_F(ProfileTest, WriteCreatesFileAndSection) {
    ASSERT_TRUE(Write("ExePath", "KifFWin", "C:/Kifu/KifuW.exe")) << error;
    ASSERT_TRUE(Write("ExePath", "KShogi", "")) << error;
    EXPECT_EQ(Content(), "[ExePath]\nKifFWin=C:/Kifu/KifuW.exe\nKShogi=\n");
    EXPECT_EQ(Read("ExePath", "KShogi"), "");
}

TEST_F(ProfileTest, WriteReplacesLineInPlaceKeepingEverythingElse) {
    SetContent("; settings\n[Other]\nx = 1\n\n[ExePath]\n  kiffwin = old  \nUWSC=u\n");
    ASSERT_TRUE(Write("EXEPATH", "KifFWin", "C:/new")) << error;
    EXPECT_EQ(Content(), "; settings\n[Other]\nx = 1\n\n[ExePath]\n  kiffwin =C:/new\nUWSC=u\n");
}

TEST_F(ProfileTest, WriteAddsKeyAfterLastLineOfSection) {
    SetContent("[ExePath]\nKifFWin=k\n; about UWSC\n\n\n[Next]\nUWSC=other\n");
    ASSERT_TRUE(Write("ExePath", "UWSC", "u")) << error;
    EXPECT_EQ(Content(), "[ExePath]\nKifFWin=k\n; about UWSC\nUWSC=u\n\n\n[Next]\nUWSC=other\n");
    EXPECT_EQ(Read("Next", "UWSC"), "other");
}

TEST_F(ProfileTest, NewSectionIsSeparatedFromUnfinishedLastLine) {
    SetContent("[Other]\nx=1");
    ASSERT_TRUE(Write("ExePath", "UWSC", "u")) << error;
    EXPECT_EQ(Content(), "[Other]\nx=1\n\n[ExePath]\nUWSC=u\n");
}

TEST_F(ProfileTest, LastLineEndingInALoneCarriageReturnKeepsItsValue) {
    SetContent("[Other]\r\nUWSC=x\r");
    ASSERT_TRUE(Write("ExePath", "UWSC", "u")) << error;
    EXPECT_EQ(ReadProfileValue("Other", "UWSC", "<default>", ini), "x");
    EXPECT_EQ(Content(), "[Other]\r\nUWSC=x\r\n\r\n[ExePath]\r\nUWSC=u\r\n");
}

TEST_F(ProfileTest, LongJapaneseValueRoundTripsWhole) {
    std::string value = "C:/";
    while (value.size() < 300) value += "棋譜フォルダ/";
    ASSERT_TRUE(Write("ExePath", "KifFWin", value)) << error;
    EXPECT_EQ(Read("ExePath", "KifFWin"), value);
}

TEST_F(ProfileTest, CrLfFileKeepsCrLf) {
    SetContent("[ExePath]\r\nKifFWin=a\r\n");
    ASSERT_TRUE(Write("ExePath", "KifFWin", "b")) << error;
    ASSERT_TRUE(Write("ExePath", "UWSC", "u")) << error;
    ASSERT_TRUE(Write("New", "k", "v")) << error;
    EXPECT_EQ(Content(), "[ExePath]\r\nKifFWin=b\r\nUWSC=u\r\n\r\n[New]\r\nk=v\r\n");
}

TEST_F(ProfileTest, ByteOrderMarkAndJunkBytesSurviveWrites) {
    const std::string junk("\xEF\xBB\xBF[ExePath]\nKifFWin=a\n\xff\xfe\x80 bad\n\0\x01\x02\n", 35);
    const std::string longLine(10 * 1024 * 1024, 'x');
    SetContent(junk + longLine + "\n[Tail]\n");
    ASSERT_TRUE(Write("ExePath", "KifFWin", "b")) << error;
    ASSERT_TRUE(Write("Tail", "k", "v")) << error;
    const std::string expectedStart(
        "\xEF\xBB\xBF[ExePath]\nKifFWin=b\n\xff\xfe\x80 bad\n\0\x01\x02\n", 35);
    EXPECT_TRUE(Content() == expectedStart + longLine + "\n[Tail]\nk=v\n");
    EXPECT_EQ(Read("ExePath", "KifFWin"), "b");
}

TEST_F(ProfileTest, EntriesThatWouldBreakTheFileAreRefused) {
    SetContent("[S]\nk=v\n");
    EXPECT_FALSE(Write("S", "k", "two\nlines"));
    EXPECT_FALSE(Write("S\n[T]", "k", "v"));
    EXPECT_FALSE(Write("S", "a=b", "v"));
    EXPECT_FALSE(Write("S", ";k", "v"));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Content(), "[S]\nk=v\n");
}

TEST_F(ProfileTest, FolderOrFifoInPlaceOfFileGivesDefaultAndFailedWrite) {
    folder.MakeFolder("Quillmere.ini");
    EXPECT_EQ(Read("ExePath", "KifFWin"), "<default>");
    EXPECT_FALSE(Write("ExePath", "KifFWin", "x"));
    EXPECT_FALSE(error.empty());

    ini = folder.Join("fifo.ini");
    ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0);
    EXPECT_EQ(Read("ExePath", "KifFWin"), "<default>");
    EXPECT_FALSE(Write("ExePath", "KifFWin", "x"));
}

TEST_F(ProfileTest, MissingFolderFailsWrite) {
    ini = folder.Join("no such folder/Quillmere.ini");
    EXPECT_FALSE(Write("ExePath", "KifFWin", "x"));
    EXPECT_NE(error.find("Quillmere.ini"), std::string::npos) << error;
}

// A writable file in a read-only program folder is written in place, as the system's own
// profile functions do, since no temporary file can be made beside it; a missing one cannot be
// made there.
TEST_F(ProfileTest, ReadOnlyFolderWritesAWritableFileInPlace) {
    SetContent("; mine\r\n[ExePath]\r\nKifFWin=a much longer old value\r\nUWSC=u\r\n");
    ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
    if (access(folder.path().c_str(), W_OK) == 0) GTEST_SKIP() << "permissions not enforced";
    EXPECT_TRUE(Write("ExePath", "KifFWin", "new")) << error;
    EXPECT_EQ(Content(), "; mine\r\n[ExePath]\r\nKifFWin=new\r\nUWSC=u\r\n");
    EXPECT_TRUE(Write("ExePath", "Terapad", "t")) << error;
    EXPECT_EQ(Read("ExePath", "Terapad"), "t");

    ini = folder.Join("Other.ini");
    EXPECT_FALSE(Write("ExePath", "KifFWin", "new"));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(folder.Exists("Other.ini"));
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
}

TEST_F(ProfileTest, FailedWriteKeepsFileAndLeavesNoTemporaryFile) {
    SetContent("[ExePath]\nKifFWin=old\n");
    // A file size limit stands in for a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = Write("ExePath", "KifFWin", std::string(100000, 'v'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Content(), "[ExePath]\nKifFWin=old\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(ProfileTest, WriteKeepsPermissionsAndSymbolicLink) {
    const std::string real = folder.WriteFile("real.ini", "[ExePath]\n");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink(real.c_str(), ini.c_str()), 0);
    ASSERT_TRUE(Write("ExePath", "UWSC", "u")) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(ini));
    EXPECT_EQ(folder.ReadFile("real.ini"), "[ExePath]\nUWSC=u\n");
    struct stat info {};
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// A settings file that is a link leading nowhere stays a link: the file is made where it leads.
// A chain of links without end is refused.
TEST_F(ProfileTest, ALinkThatLeadsNowhereIsKeptAndItsTargetWritten) {
    folder.MakeFolder("settings");
    ASSERT_EQ(symlink("settings/real.ini", ini.c_str()), 0);
    ASSERT_TRUE(Write("ExePath", "UWSC", "u")) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(ini));
    EXPECT_EQ(folder.ReadFile("settings/real.ini"), "[ExePath]\nUWSC=u\n");
    EXPECT_EQ(Read("ExePath", "UWSC"), "u");

    ini = folder.Join("loop.ini");
    ASSERT_EQ(symlink("loop.ini", ini.c_str()), 0);
    EXPECT_FALSE(Write("ExePath", "UWSC", "u"));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(ini));
}

TEST_F(ProfileTest, EmptyFileOrNoSectionGivesDefaultsAndGainsTheSection) {
    SetContent("");
    EXPECT_EQ(Read("ExePath", "KifFWin"), "<default>");
    ASSERT_TRUE(Write("ExePath", "KifFWin", "k")) << error;
    EXPECT_EQ(Content(), "[ExePath]\nKifFWin=k\n");

    SetContent("KifFWin=loose\n; no section at all\n");
    EXPECT_EQ(Read("ExePath", "KifFWin"), "<default>");
    ASSERT_TRUE(Write("ExePath", "KifFWin", "k")) << error;
    EXPECT_EQ(Content(), "KifFWin=loose\n; no section at all\n\n[ExePath]\nKifFWin=k\n");
}

TEST_F(ProfileTest, BinaryFileIsKeptByteForByte) {
    std::mt19937 random(20240611);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary) c = static_cast<char>(random() & 0xFF);
    SetContent(binary);
    for (const char* key : {"KifFWin", "KShogi", "UWSC", "Terapad"}) {
        EXPECT_EQ(Read("ExePath", key), "<default>") << key;
    }
    ASSERT_TRUE(Write("ExePath", "KifFWin", "k")) << error;
    const std::string written = Content();
    EXPECT_EQ(written.compare(0, binary.size(), binary), 0);
    EXPECT_EQ(Read("ExePath", "KifFWin"), "k");
}

// A settings file grown huge, by accident or on purpose, is read to its end, and a write keeps
// every line it does not own.
TEST_F(ProfileTest, HugeFileAndHugeLinesAreReadAndKeptWhole) {
    std::string block;
    while (block.size() < 1024 * 1024) {
        block += "; a comment line of the kind that fills up a file\n[Other]\nKifFWin=not this\n";
    }
    {
        std::ofstream out(ini, std::ios::binary);
        for (int i = 0; i < 100; ++i) out << block;  // 100 MB
        out << "[ExePath]\nKifFWin=" << std::string(10 * 1024 * 1024, 'v') << "\nUWSC=u\n";
        out << std::string(10 * 1024 * 1024, '[');  // a last line of 10 MB without an ending
        ASSERT_TRUE(out.good());
    }
    const std::uintmax_t sizeBefore = std::filesystem::file_size(ini);
    EXPECT_EQ(Read("ExePath", "UWSC"), "u");
    EXPECT_EQ(Read("ExePath", "KifFWin").size(), 10u * 1024 * 1024);

    ASSERT_TRUE(Write("ExePath", "KifFWin", "k")) << error;
    EXPECT_EQ(Read("ExePath", "KifFWin"), "k");
    EXPECT_EQ(Read("Other", "KifFWin"), "not this");
    EXPECT_EQ(std::filesystem::file_size(ini), sizeBefore - 10 * 1024 * 1024 + 1);
    std::ifstream in(ini, std::ios::binary);
    std::string firstBlock(block.size(), '\0');
    in.read(firstBlock.data(), static_cast<std::streamsize>(firstBlock.size()));
    EXPECT_TRUE(firstBlock == block);
}

TEST_F(ProfileTest, ReadOnlyFileIsNeitherWrittenNorReplaced) {
    SetContent("[ExePath]\nKifFWin=old\n");
    ASSERT_EQ(chmod(ini.c_str(), 0444), 0);
    if (access(ini.c_str(), W_OK) == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    EXPECT_EQ(Read("ExePath", "KifFWin"), "old");
    EXPECT_FALSE(Write("ExePath", "KifFWin", "new"));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(Content(), "[ExePath]\nKifFWin=old\n");
}

}  // namespace
