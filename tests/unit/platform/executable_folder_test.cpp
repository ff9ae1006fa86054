#include "platform/executable_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(ExecutableFolderTest, IsTheFolderHoldingThisTestProgram) {
    const std::string folder = platform::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::path(folder).is_absolute());
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_NE(folder.back(), static_cast<char>(fs::path::preferred_separator));

    bool holdsATestProgram = false;
    for (const auto& entry : fs::directory_iterator(folder)) {
        holdsATestProgram |= entry.path().stem() == "platform_tests";
    }
    EXPECT_TRUE(holdsATestProgram);
}

}  // namespace
