// The Windows backend on a real desktop (Wine on an X server in the test run): the viewer
// window made through the doorway with every native message forwarded whole, the pointer
// re-centred in client coordinates across the border, a box that takes the activation and
// gives it back delivering nothing, and the repaired glyph lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/glyph_repair.h"
#include "platform/win32/win32_backend.h"
// OpenGL after windows.h.
#include <GL/gl.h>

namespace {

struct Seen {
  uint32_t message;
  uint32_t lParam;
  int64_t nativeLParam;  // the innermost native message's lParam while it was handled
};
std::vector<Seen> seen;

// Forwards everything to default processing, as the shell does with what it does not handle.
int32_t forwardingProcedure(platform::WindowHandle window, uint32_t message, uint32_t wParam,
                            uint32_t lParam) {
  const win32::InFlightMessages& inFlight = win32::backend.inFlight;
  const int64_t native = inFlight.depth > 0 && inFlight.depth <= win32::kMaxNestedMessages
                             ? inFlight.entries[inFlight.depth - 1].lParam
                             : 0;
  seen.push_back({message, lParam, native});
  return platform::defaultWindowProc(window, message, wParam, lParam);
}

int32_t countSeen(uint32_t message) {
  int32_t count = 0;
  for (const Seen& one : seen) count += one.message == message ? 1 : 0;
  return count;
}

void pumpMessages() {
  for (int round = 0; round < 20; ++round) {
    while (platform::peekMessage()) {
      platform::Message message = {};
      if (!platform::getMessage(&message)) return;
      platform::translateMessage(message);
      platform::dispatchMessage(message);
    }
    Sleep(10);
  }
}

class Win32BackendTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(platform::registerWindowClass({"Dunmoor Viewer", forwardingProcedure}))
        << "the window class is registered";
  }
  void SetUp() override {
    seen.clear();
    window =
        platform::createWindow({"Dunmoor Viewer", "Generic OpenGL Sample", true, 0, 0, 640, 480});
    ASSERT_NE(window, nullptr) << "the window is created";
  }
  void TearDown() override {
    if (window != nullptr) platform::destroyWindow(window);
    pumpMessages();
  }
  HWND native() const { return win32::windowOf(window); }
  platform::WindowHandle window = nullptr;
};

TEST_F(Win32BackendTest, CreationForwardsEveryNativeMessageWhole) {
  // Non-client creation carries a pointer to the creation record; cut to 32 bits it would
  // fail the creation or lose the title.
  ASSERT_GE(countSeen(WM_NCCREATE), 1) << "non-client creation reached the procedure";
  EXPECT_EQ(countSeen(platform::kWmCreate), 1) << "creation arrived before createWindow returned";
  char title[64] = {};
  GetWindowTextA(native(), title, sizeof title);
  EXPECT_STREQ(title, "Generic OpenGL Sample") << "the title set through forwarded creation";
}

TEST_F(Win32BackendTest, DispatchingHandsTheTakenNativeMessageOn) {
  const LPARAM pointer = static_cast<LPARAM>(0x00007FF612345678LL);
  PostMessageA(native(), WM_APP, 7, pointer);
  seen.clear();
  pumpMessages();
  ASSERT_EQ(countSeen(WM_APP), 1) << "the posted message was dispatched once";
  const Seen& posted = *std::find_if(seen.begin(), seen.end(),
                                     [](const Seen& one) { return one.message == WM_APP; });
  EXPECT_EQ(posted.lParam, 0x12345678u) << "the doorway sees the low 32 bits";
  EXPECT_EQ(posted.nativeLParam, pointer) << "the native message in flight is whole";
}

TEST_F(Win32BackendTest, ClientAreaIsInsideTheBorderAndThePointerLandsOnClientCoordinates) {
  platform::showWindow(window, SW_SHOWNORMAL);
  pumpMessages();
  POINT origin = {0, 0};
  ClientToScreen(native(), &origin);
  ASSERT_GT(origin.x, 0) << "client coordinates are offset from the screen's";
  SetCursorPos(100, 100);  // away from the centre first, so the re-centring moves it
  pumpMessages();
  seen.clear();
  platform::setCursorPos(320, 240);
  pumpMessages();
  uint32_t lastMove = 0;
  for (const Seen& one : seen) lastMove = one.message == WM_MOUSEMOVE ? one.lParam : lastMove;
  EXPECT_EQ(lastMove, 320u | 240u << 16) << "the move it causes arrives at the centre: no turn";
}

// Dismisses the box from inside its own modal loop.
void CALLBACK dismissBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowA(nullptr, "Error");
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Win32BackendTest, ABoxTakingAndGivingBackTheActivationDeliversNoActivation) {
  platform::showWindow(window, SW_SHOWNORMAL);
  pumpMessages();
  ASSERT_EQ(GetActiveWindow(), native()) << "showing the window activates it";
  seen.clear();
  SetTimer(nullptr, 0, 100, dismissBox);
  platform::showMessageBox(nullptr, "Return=-2, The graphics mode is not supported.\n", "Error");
  pumpMessages();
  EXPECT_EQ(countSeen(WM_ACTIVATE), 0) << "the box's coming and going is not a switch";
  EXPECT_EQ(GetActiveWindow(), native()) << "the window has the activation again";
}

TEST_F(Win32BackendTest, GlyphListsOfTheFixedFontAdvanceBlanksLikeLetters) {
  platform::DeviceContextHandle dc = platform::getDeviceContext(window);
  const int32_t format = platform::choosePixelFormat(dc, {16, 16, true});
  ASSERT_NE(format, 0) << "a pixel format is chosen";
  ASSERT_TRUE(platform::setPixelFormat(dc, format)) << "the pixel format is set";
  EXPECT_TRUE(platform::setPixelFormat(dc, format)) << "setting the same format again is met";
  platform::RenderingContextHandle rc = platform::createRenderingContext(dc);
  ASSERT_TRUE(platform::makeCurrent(dc, rc)) << "the context is current";
  ASSERT_TRUE(platform::buildGlyphLists(dc, 0, 255, 1000)) << "the glyph lists are built";

  INT letter = 0;
  GetCharWidth32A(win32::deviceContextOf(dc), 'A', 'A', &letter);
  ASSERT_GT(letter, 0) << "the fixed font has an advance";
  EXPECT_EQ(win32::measureGlyphAdvance(1000 + 'A'), letter) << "a letter advances by the font";
  EXPECT_EQ(win32::measureGlyphAdvance(1000 + ' '), letter) << "the space advances as a letter";
  EXPECT_FALSE(glIsList(1000 + 255)) << "code 255 has no list";
  platform::deleteGlyphLists(1000, 255);
  platform::makeCurrent(dc, nullptr);
  platform::deleteRenderingContext(rc);
  platform::releaseDeviceContext(window, dc);
}

}  // namespace
