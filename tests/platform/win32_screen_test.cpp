// The Windows backend's window of any size and file watch on a real window (Wine in the test
// run): a framed window's client has the size asked for inside a resizable frame, resizing
// delivers the new client size, and a file written in place and one renamed over the
// watched file each arrive as a change. (Wine reports every program DPI aware per monitor,
// so the awareness the backend asks for cannot be seen here.)
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/platform.h"
#include "platform/win32/win32_backend.h"

namespace {

uint32_t lastSize = 0;
int32_t fileChanges = 0;

int32_t screenProcedure(platform::WindowHandle window, uint32_t message, uint32_t wParam,
                        uint32_t lParam) {
  if (message == platform::kWmSize) lastSize = lParam;
  if (message == platform::kWmFileChanged) ++fileChanges;
  return platform::defaultWindowProc(window, message, wParam, lParam);
}

// Dispatches messages until `done` holds, for at most about five seconds.
template <typename Done>
bool pumpUntil(Done done) {
  for (int round = 0; round < 500 && !done(); ++round) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  return done();
}

}  // namespace

TEST(Win32Screen, AFramedWindowResizesAndHearsItsFileChange) {
  ASSERT_TRUE(platform::registerWindowClass({"Framed Test", screenProcedure}));
  const platform::WindowParams params = {"Framed Test", "Framed", false, 0, 0, 300, 200};
  platform::WindowHandle window = platform::createFramedWindow(params, {true, true, false});
  ASSERT_NE(window, nullptr) << "the framed window";
  HWND native = win32::windowOf(window);
  platform::showWindow(window, SW_SHOWNORMAL);
  int32_t width = 0, height = 0;
  platform::getClientSize(window, &width, &height);
  EXPECT_EQ(width, 300) << "client width";
  EXPECT_EQ(height, 200) << "client height";

  RECT outer;
  GetWindowRect(native, &outer);
  SetWindowPos(native, nullptr, 0, 0, outer.right - outer.left + 100, outer.bottom - outer.top + 50,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(pumpUntil([] { return lastSize == (400u | (250u << 16)); }))
      << "the size message carries the new client, " << (lastSize & 0xFFFF) << "x"
      << (lastSize >> 16);

  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "watched_level.dnl";
  const std::string other = std::string(folder) + "watched_level.new";
  std::ofstream(path, std::ios::binary) << "first";
  ASSERT_TRUE(platform::watchFile(window, path.c_str()));
  std::ofstream(path, std::ios::binary) << "written in place";
  EXPECT_TRUE(pumpUntil([] { return fileChanges == 1; })) << "a write in place";
  std::ofstream(other, std::ios::binary) << "renamed over it";
  MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  EXPECT_TRUE(pumpUntil([] { return fileChanges == 2; })) << "a file renamed over it";
  platform::stopWatchingFile();
  DeleteFileA(path.c_str());
  platform::destroyWindow(window);
}
