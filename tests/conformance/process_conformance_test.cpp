// Starting outside programs and finding our own folder, on both systems, with a stand-in program
// that writes down what it received.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "conformance/os_helpers.h"
#include "platform/executable_folder.h"
#include "platform/process.h"

namespace {

using conformance::Utf8;
using testing_support::kSep;
using testing_support::PathOf;
using testing_support::TempFolder;

constexpr std::chrono::seconds kStartTimeout{60};

std::vector<std::string> LinesOf(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find('\n', start);
        lines.push_back(content.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

class ProcessConformance : public ::testing::Test {
  protected:
    void SetUp() override {
        // A program folder with spaces, as under "Program Files".
        folder.MakeFolder("outside programs/stand in");
        program =
            folder.Join("outside programs/stand in/" + conformance::ProgramFileName("run me"));
        conformance::CopyProgram(conformance::StandInProgram(), program);
        conformance::SetRecordFile(record);
    }

    // The program's folder and the arguments it received.
    std::vector<std::string> StartAndRecord(const std::string& commandLine) {
        std::string error;
        EXPECT_TRUE(platform::StartCommandLine(commandLine, &error)) << error;
        const std::optional<std::string> content = conformance::WaitForFile(record, kStartTimeout);
        if (!content) {
            ADD_FAILURE() << "the program did not run: " << commandLine;
            return {};
        }
        return LinesOf(*content);
    }

    void RemoveRecord() const { std::filesystem::remove(PathOf(record)); }

    TempFolder folder;
    std::string program;
    std::string record = folder.Join("record.txt");
};

TEST_F(ProcessConformance, AnUnquotedProgramPathWithSpacesIsFoundAndArgumentsArriveWhole) {
    const std::string file = Utf8(u8"C:\\書籍 一\\p012.kif.txt");
    const std::string line =
        program + " plain \"two words\" \"" + file + "\" say\\\"hi\\\" \"C:\\ends in\\\\\" \"\"";
    const std::vector<std::string> lines = StartAndRecord(line);
    EXPECT_EQ(lines,
              (std::vector<std::string>{folder.Join("outside programs/stand in"), "plain",
                                        "two words", file, "say\"hi\"", "C:\\ends in\\", ""}));
}

TEST_F(ProcessConformance, TheProgramAloneStartsWithoutArguments) {
    EXPECT_EQ(StartAndRecord(program),
              (std::vector<std::string>{folder.Join("outside programs/stand in")}));
}

TEST_F(ProcessConformance, FindProgramTakesTheShortestPrefixNamingAFile) {
    const platform::ProgramAndArguments found = platform::FindProgram(program + " a  \"b c\"");
    EXPECT_EQ(found.program, program);
    EXPECT_EQ(found.arguments, "a  \"b c\"");
    EXPECT_EQ(platform::FindProgram('"' + program + "\" x").program, program);
    EXPECT_EQ(platform::FindProgram(folder.Join("outside programs/nothing here") + " x").program,
              "");
}

// A program beside a folder whose name begins with the program's name, as "Kifu" beside
// "Kifu For Win": the path that was set runs, never the shorter prefix that also names a program.
TEST_F(ProcessConformance, TheProgramWhosePathWasSetRunsNotAShorterPrefix) {
    folder.MakeFolder("tools/Kifu For Win");
    const std::string shadow = folder.Join("tools/" + conformance::ProgramFileName("Kifu"));
    conformance::CopyProgram(conformance::StandInProgram(), shadow);
    const std::string wanted =
        folder.Join("tools/Kifu For Win/" + conformance::ProgramFileName("KifuW"));
    conformance::CopyProgram(conformance::StandInProgram(), wanted);

    for (const std::string& line : {wanted, wanted + " a \"b c\""}) {
        RemoveRecord();
        std::string error;
        ASSERT_TRUE(platform::StartProgram(wanted, line, &error)) << error;
        const std::optional<std::string> content = conformance::WaitForFile(record, kStartTimeout);
        ASSERT_TRUE(content.has_value()) << line;
        const std::vector<std::string> lines = LinesOf(*content);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], folder.Join("tools/Kifu For Win")) << line;
        if (line != wanted) {
            EXPECT_EQ(lines,
                      (std::vector<std::string>{folder.Join("tools/Kifu For Win"), "a", "b c"}));
        }
    }
    // A path that names no file is read as before: the shorter prefix that names one runs.
    RemoveRecord();
    std::string error;
    ASSERT_TRUE(
        platform::StartProgram(folder.Join("tools/Kifu x"), folder.Join("tools/Kifu x"), &error))
        << error;
    const std::optional<std::string> content = conformance::WaitForFile(record, kStartTimeout);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(LinesOf(*content), (std::vector<std::string>{folder.Join("tools"), "x"}));
}

TEST_F(ProcessConformance, AMissingProgramIsReportedNotStarted) {
    std::string error;
    EXPECT_FALSE(platform::StartCommandLine(folder.Join("no such program") + " x", &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(platform::StartCommandLine("", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(folder.Exists("record.txt"));
}

TEST(ProgramFolderConformance, IsTheAbsoluteFolderOfTheRunningProgram) {
    const std::string folder = platform::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    const std::filesystem::path path = PathOf(folder);
    EXPECT_TRUE(path.is_absolute()) << folder;
    EXPECT_NE(folder.back(), kSep[0]) << folder;
    EXPECT_TRUE(
        std::filesystem::exists(path / conformance::ProgramFileName("platform_conformance_tests")))
        << folder;
}

}  // namespace
