#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/recording_world.h"
#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/user_interface.h"

namespace testing_support {

// A list box that remembers what was appended since the last Clear().
class RecordingListBox : public outside::ListBox {
  public:
    void Clear() override {
        items.clear();
        ++clears;
    }
    void Append(const std::string& item) override { items.push_back(item); }

    std::vector<std::string> items;
    int clears = 0;
};

// A throwaway program folder with the outside world recorded instead of acted on.
class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override { modFunc::OverrideProgramFolder(folder.path()); }
    void TearDown() override { modFunc::OverrideProgramFolder(""); }

    TempFolder folder;
    RecordingWorld world;
};

}  // namespace testing_support
