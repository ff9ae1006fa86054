// Notes that another program holds locked: they cannot be read, but they are there, and the
// template is never copied over them.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "platform/file_ops.h"

namespace {

using testing_support::TempFolder;
using testing_support::Wide;

TEST(LockedFileWin32, ALockedCompanionIsThereAndIsNeverReplaced) {
    TempFolder book;
    const std::string from = book.WriteFile("Template.txt", "template");
    const std::string notes = book.WriteFile("p012.kif.txt", "notes of my own");
    // Held open with no sharing at all, as an editor that locks its file does.
    const HANDLE lock = CreateFileW(Wide(notes).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(platform::ReadOnlyFile::Open(notes).has_value());
    EXPECT_EQ(platform::EntryAt(notes), platform::EntryKind::kFile);
    EXPECT_FALSE(platform::CopyToNewFile(from, notes));
    CloseHandle(lock);
    EXPECT_EQ(book.ReadFile("p012.kif.txt"), "notes of my own");
}

}  // namespace
