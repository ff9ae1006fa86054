#include "common/cut_captions.h"
#include "settings_window_fixture.h"

// Every caption of the settings window is drawn whole.
TEST_F(SettingsWindowTest, NoCaptionIsCut) {
    EXPECT_EQ(testing_support::CutCaptions(frmIni::Get()), std::vector<std::string>{});
}
