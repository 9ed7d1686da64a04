// The Windows backend on a real window (Wine in the test run), for what the end-to-end runs
// cannot see: native parameters above 4 GiB, which the doorway's 32-bit view cuts, reach
// default processing and dispatching whole. Wine's stacks lie below 4 GiB, where a pointer
// cut to 32 bits is unchanged, so the window lives on a thread whose stack lies above.
#include <gtest/gtest.h>

#include <thread>

#include "platform/platform.h"
#include "platform/win32/win32_backend.h"

namespace {

constexpr uintptr_t kFourGiB = uintptr_t{1} << 32;
const LPARAM kPointer = static_cast<LPARAM>(0x00007FF612345678LL);

uintptr_t threadStack = 0;     // where the window's thread keeps its locals
char title[32] = {};           // set by default processing from the creation record
int64_t dispatchedLParam = 0;  // the native lParam in flight while WM_APP was handled

int32_t recordingProcedure(platform::WindowHandle window, uint32_t message, uint32_t wParam,
                           uint32_t lParam) {
  const win32::InFlightMessages& inFlight = win32::backend.inFlight;
  if (message == WM_APP) dispatchedLParam = inFlight.entries[inFlight.depth - 1].lParam;
  return platform::defaultWindowProc(window, message, wParam, lParam);
}

// Reserves the address space below 4 GiB, down to holes of 64 KiB: what is mapped next lies
// above.
void fillLowAddressSpace() {
  for (SIZE_T size = SIZE_T{1} << 26; size >= SIZE_T{1} << 16; size >>= 1) {
    void* block = nullptr;
    do block = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
    while (block != nullptr && reinterpret_cast<uintptr_t>(block) < kFourGiB);
  }
}

void runWindow() {
  const int local = 0;
  threadStack = reinterpret_cast<uintptr_t>(&local);
  const platform::WindowHandle window =
      platform::createWindow({"Dunmoor Viewer", "backend test", false, 0, 0, 64, 64});
  GetWindowTextA(win32::windowOf(window), title, sizeof title);
  PostMessageA(win32::windowOf(window), WM_APP, 0, kPointer);
  platform::Message message = {};
  while (dispatchedLParam == 0 && platform::peekMessage() && platform::getMessage(&message))
    platform::dispatchMessage(message);
  platform::destroyWindow(window);
}

TEST(Win32Backend, ParametersAboveFourGiBReachDefaultProcessingAndDispatchingWhole) {
  ASSERT_TRUE(platform::registerWindowClass({"Dunmoor Viewer", recordingProcedure}))
      << "the window class is registered";
  fillLowAddressSpace();
  std::thread(runWindow).join();
  ASSERT_GE(threadStack, kFourGiB) << "the window's thread has its stack above 4 GiB";
  EXPECT_STREQ(title, "backend test") << "the creation record above 4 GiB reached default "
                                         "processing whole: the title is set";
  EXPECT_EQ(dispatchedLParam, kPointer) << "the dispatched message's lParam above 4 GiB is whole";
}

}  // namespace
