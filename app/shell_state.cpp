// Static storage for the shell's state and the set-up of the open-file request.
#include "app/shell_state.h"

ViewerPaths viewerPaths = {};
platform::OpenFileRequest openFileRecord = {};
platform::DeviceContextHandle deviceContext = nullptr;
platform::RenderingContextHandle renderingContext = nullptr;
char messageText[kMessageTextSize] = {};
const char* namedLevel = nullptr;
ScreenOptions screenOptions = {ScreenChoice::ModeSwitch, 0, 0, false};

void setupOpenFileRequest(platform::WindowHandle window) {
  openFileRecord = {};
  openFileRecord.owner = window;
  openFileRecord.filterLabel = "DNL Files";
  openFileRecord.filterPattern = "*.dnl";
  openFileRecord.filterIndex = 1;
  openFileRecord.fileName = viewerPaths.dataFile;
  openFileRecord.fileNameCapacity = kViewerPathSize;
  openFileRecord.initialDir = viewerPaths.dataDir;
}
