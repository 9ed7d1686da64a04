// The display-mode switch: the request, the result table with its messages, and the restore.
#include <gtest/gtest.h>

#include "app/display_mode.h"
#include "tests/app/neighbour_fakes.h"
#include "tests/support/recording_platform.h"

namespace {

struct ModeCase {
  int32_t result;
  const char* message;  // null: nothing shown
};

class DisplayModeTest : public ::testing::TestWithParam<ModeCase> {
 protected:
  void SetUp() override {
    resetRecording();
    resetNeighbours();
  }
};

TEST_P(DisplayModeTest, ReportsTheResultOfTheSwitch) {
  recording.displayModeResult = GetParam().result;
  enterViewerDisplayMode();
  ASSERT_EQ(recording.calls.at(0), "changeDisplayMode 640x480x16");
  if (GetParam().message == nullptr) {
    EXPECT_TRUE(recording.messageBoxes.empty());
    return;
  }
  ASSERT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_EQ(recording.messageBoxes[0].text, GetParam().message);
  EXPECT_EQ(recording.messageBoxes[0].title, "Error");
  EXPECT_FALSE(recording.messageBoxes[0].owned);
}

INSTANTIATE_TEST_SUITE_P(
    ResultTable, DisplayModeTest,
    ::testing::Values(
        ModeCase{0, nullptr},
        ModeCase{1,
                 "Return=1, The computer must be restarted in order for the graphics mode to "
                 "work.\n"},
        ModeCase{-1, "Return=-1, The display driver failed the specified graphics mode.\n"},
        ModeCase{-2, "Return=-2, The graphics mode is not supported.\n"},
        ModeCase{-3, "Return=-3, Unable to write settings to the registry.\n"},
        ModeCase{-4, "Return=-4, An invalid set of flags was passed in.\n"}, ModeCase{-5, nullptr},
        ModeCase{2, nullptr}, ModeCase{INT32_MIN, nullptr}));

TEST(DisplayModeRestore, RestoreAsksForTheUsersModeAndShowsNothing) {
  resetRecording();
  recording.displayModeResult = -2;
  restoreUserDisplayMode();
  EXPECT_EQ(recording.calls, std::vector<std::string>{"changeDisplayMode restore"});
  EXPECT_TRUE(recording.messageBoxes.empty());
}

}  // namespace
