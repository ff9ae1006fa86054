#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "platform/dir_listing.h"

// The listing tests' fixture: a fresh book folder, and patterns in it.
namespace testing_support {

using Names = std::vector<std::string>;
inline constexpr platform::ListMask kFiles = platform::ListMask::kOrdinaryFiles;
inline constexpr platform::ListMask kFilesAndFolders = platform::ListMask::kOrdinaryFilesAndFolders;

class ListingTest : public ::testing::Test {
  protected:
    std::string Pattern(const std::string& last) const { return book.path() + kSep + last; }
    TempFolder book;
};

}  // namespace testing_support
