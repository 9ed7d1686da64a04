// The overlay's texts: status line widths and signs, the help screen's state columns, item
// labels, and that no line reads or reports more than its buffers hold.
#include "render/overlay_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "render/frame_stats.h"

namespace {

class OverlayTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    camera = {};
    viewSettings = kDefaultViewSettings;
    frameStats = {};
    std::memset(levelPath, 0, sizeof levelPath);
  }

  std::string status() {
    const int32_t count = formatStatusLine(buffer, sizeof buffer);
    EXPECT_EQ(static_cast<size_t>(count), std::strlen(buffer));
    return std::string(buffer, static_cast<size_t>(count));
  }

  std::string help(int32_t line) {
    const int32_t count = formatHelpLine(line, buffer, sizeof buffer);
    EXPECT_EQ(static_cast<size_t>(count), std::strlen(buffer));
    return std::string(buffer, static_cast<size_t>(count));
  }

  char buffer[kTextBufferSize];
};

TEST_F(OverlayTextTest, StatusLineShowsPoseWithFixedWidthsAndSigns) {
  EXPECT_EQ(status(), "F1=Help  POS=(X,Y,Z)=(00000,00000,00000) DIR=(H,P,B)=(000,000,000)");
  std::strcpy(frameStats.fpsText, "FPS=042");
  camera.position[0] = -512.4f;
  camera.position[1] = 12.6f;
  camera.position[2] = 123456.0f;
  camera.heading = 7.6f;
  camera.pitch = -45.0f;
  camera.bank = 179.99998f;
  EXPECT_EQ(status(), "F1=Help FPS=042 POS=(X,Y,Z)=(-0512,00013,123456) DIR=(H,P,B)=(008,-45,180)");
}

TEST_F(OverlayTextTest, StatusLineShowsNegativeZeroAsZero) {
  camera.position[1] = -0.0f;
  camera.pitch = -0.0f;  // what the reset leaves
  EXPECT_EQ(status(), "F1=Help  POS=(X,Y,Z)=(00000,00000,00000) DIR=(H,P,B)=(000,000,000)");
}

TEST_F(OverlayTextTest, StatusLineStaysInItsBufferForExtremeValuesAndUnterminatedText) {
  std::memset(frameStats.fpsText, 'F', sizeof frameStats.fpsText);  // no terminator
  camera.position[0] = camera.position[1] = camera.position[2] = -FLT_MAX;
  camera.heading = camera.pitch = camera.bank = FLT_MAX;
  const std::string line = status();
  EXPECT_LT(line.size(), kTextBufferSize);
  EXPECT_EQ(line.find(std::string(127, 'F')), 8u);
  EXPECT_EQ(line.find(std::string(128, 'F')), std::string::npos);
}

TEST_F(OverlayTextTest, ShortBuffersReportOnlyWhatStandsInThem) {
  char small[10];
  EXPECT_EQ(formatStatusLine(small, sizeof small), 9);
  EXPECT_STREQ(small, "F1=Help  ");
  EXPECT_EQ(formatHelpLine(2, small, sizeof small), 9);
  EXPECT_EQ(formatItemLabel(0x12345678, small, 4), 3);
  EXPECT_STREQ(small, "123");
  EXPECT_EQ(formatStatusLine(small, 0), 0);
}

TEST_F(OverlayTextTest, HelpScreenReadsTheLevelPathBoundedAndListsTheControls) {
  std::strcpy(levelPath, "levels/sample.dnl");
  EXPECT_EQ(help(0), "LEVEL    : levels/sample.dnl");
  EXPECT_EQ(help(1), "MODE     : 640 X 480 X 16");
  EXPECT_EQ(help(8), "MISC     : (Halve/Double) Back Plane=9/0");
  EXPECT_EQ(help(9), "");
  EXPECT_EQ(help(-1), "");
  for (int32_t line = 0; line < kHelpLineCount; ++line) {
    EXPECT_FLOAT_EQ(helpLineY(line), 160.0f - 10.0f * line);
    EXPECT_LE(help(line).size(), 80u) << "line " << line << " must fit 640 pixels";
  }
  std::memset(levelPath, 'p', sizeof levelPath);  // no terminator
  EXPECT_EQ(help(0).size(), 11u + 127u);
}

TEST_F(OverlayTextTest, StateColumnsStandUnderTheTogglesAndShowTheStatusFlagTwice) {
  viewSettings.showStatus = 0;
  viewSettings.lightingOn = 1;
  viewSettings.fogOn = 0;
  viewSettings.cullOn = 1;
  const std::string toggles = help(5);
  const std::string state = help(6);
  const size_t columns[] = {14, 24, 35, 44, 54};
  const char* expected[] = {"OFF", "ON ", "OFF", "ON ", "OFF"};
  for (int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(toggles[columns[i] - 1], '=') << "column " << i;
    EXPECT_EQ(state.substr(columns[i], 3), expected[i]) << "column " << i;
  }
  viewSettings.showStatus = 1;
  viewSettings.showHelp = 1;  // the help flag itself is not shown
  const std::string on = help(6);
  EXPECT_EQ(on.substr(14, 3), "ON ");
  EXPECT_EQ(on.substr(54, 2), "ON");
  viewSettings.fogOn = 2;  // only exactly 1 reads as on
  EXPECT_EQ(help(6).substr(35, 3), "OFF");
}

TEST_F(OverlayTextTest, ItemLabelsAreLowerCaseHexWithoutLeadingZeros) {
  char label[16];
  EXPECT_EQ(formatItemLabel(421, label, sizeof label), 3);
  EXPECT_STREQ(label, "1a5");
  formatItemLabel(0, label, sizeof label);
  EXPECT_STREQ(label, "0");
  formatItemLabel(65535, label, sizeof label);
  EXPECT_STREQ(label, "ffff");
}

}  // namespace
