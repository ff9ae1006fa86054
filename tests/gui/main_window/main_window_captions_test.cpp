#include "common/cut_captions.h"
#include "main_window_fixture.h"

// Every caption of the main window is drawn whole, including both states of the companion
// file label.
TEST_F(MainWindowTest, NoCaptionIsCut) {
    Start();
    EXPECT_EQ(testing_support::CutCaptions(*window), std::vector<std::string>{});
    for (std::string_view state :
         {modConst::kStateCompanionPresent, modConst::kStateCompanionAbsent}) {
        Control<QLabel>("lblMsg")->setText(QString::fromUtf8(state.data(), state.size()));
        EXPECT_EQ(testing_support::CutCaptions(*window), std::vector<std::string>{});
    }
}
