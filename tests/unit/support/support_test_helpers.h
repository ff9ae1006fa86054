#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/recording_world.h"
#include "common/temp_folder.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/user_interface.h"

namespace testing_support {

// Writes a Windows-style example path with the separator of the platform the tests run on.
inline std::string WithSep(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = modConst::kSep.front();
    }
    return path;
}

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
