// The Windows backend on a real window (Wine in the test run), for what the end-to-end runs
// cannot see: a message whose lParam does not fit the doorway's 32-bit view is dispatched as
// the native message getMessage took, whole.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/win32/win32_backend.h"

namespace {

int64_t dispatchedLParam = 0;  // the native lParam in flight while WM_APP was handled

int32_t recordingProcedure(platform::WindowHandle window, uint32_t message, uint32_t wParam,
                           uint32_t lParam) {
  const win32::InFlightMessages& inFlight = win32::backend.inFlight;
  if (message == WM_APP) dispatchedLParam = inFlight.entries[inFlight.depth - 1].lParam;
  return platform::defaultWindowProc(window, message, wParam, lParam);
}

TEST(Win32Backend, DispatchingHandsTheTakenNativeMessageOnWhole) {
  ASSERT_TRUE(platform::registerWindowClass({"Dunmoor Viewer", recordingProcedure}))
      << "the window class is registered";
  const platform::WindowHandle window =
      platform::createWindow({"Dunmoor Viewer", "backend test", false, 0, 0, 64, 64});
  ASSERT_NE(window, nullptr) << "the window is created";
  const LPARAM pointer = static_cast<LPARAM>(0x00007FF612345678LL);
  PostMessageA(win32::windowOf(window), WM_APP, 0, pointer);
  for (int taken = 0; taken < 100 && dispatchedLParam == 0 && platform::peekMessage(); ++taken) {
    platform::Message message = {};
    platform::getMessage(&message);
    platform::dispatchMessage(message);
  }
  EXPECT_EQ(dispatchedLParam, pointer) << "the dispatched message's lParam above 4 GiB is whole";
  platform::destroyWindow(window);
}

}  // namespace
