// Switches the screen to the viewer's mode and reports a refusal through the result table.
#include "app/display_mode.h"

#include <cstdio>

#include "app/shell_state.h"
#include "platform/platform.h"
#include "platform/screen.h"

const char* displayModeMessage(int32_t result) {
  switch (result) {
    case 1:
      return "Return=%d, The computer must be restarted in order for the graphics mode to work.\n";
    case -1:
      return "Return=%d, The display driver failed the specified graphics mode.\n";
    case -2:
      return "Return=%d, The graphics mode is not supported.\n";
    case -3:
      return "Return=%d, Unable to write settings to the registry.\n";
    case -4:
      return "Return=%d, An invalid set of flags was passed in.\n";
    default:
      return nullptr;
  }
}

void enterViewerDisplayMode() {
  // A window and the whole desktop leave the user's mode alone.
  if (screenOptions.screen != ScreenChoice::ModeSwitch) return;
  const platform::DisplayMode mode = {kScreenWidth, kScreenHeight, kScreenBitsPerPixel};
  const int32_t result = platform::changeDisplayMode(&mode);
  const char* format = displayModeMessage(result);
  if (format == nullptr) return;
  std::snprintf(messageText, sizeof messageText, format, static_cast<int>(result));
  platform::showMessageBox(nullptr, messageText, "Error");
}

void restoreUserDisplayMode() {
  if (screenOptions.screen != ScreenChoice::ModeSwitch) return;
  platform::changeDisplayMode(nullptr);
}
