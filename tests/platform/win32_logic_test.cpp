// The Windows backend's platform-neutral logic, checked on every platform: native messages
// in flight reach default processing whole (nested, and past the table's depth), the
// activation guard holds back what a box does to the activation, the dialog's filter list is
// exact, and empty glyph lists get their advance.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/file_filter.h"
#include "platform/win32/focus_guard.h"
#include "platform/win32/glyph_repair.h"
#include "platform/win32/message_forwarding.h"
#include "render/opengl.h"
#include "tests/gl/gl_context.h"

using win32::NativeMessage;

void* const kWindow = reinterpret_cast<void*>(0x1234);
constexpr uint64_t kPointer = 0x00007FF612345678u;  // a parameter above 4 GiB

TEST(MessageForwarding, TheInnermostMessageReachesDefaultProcessingWhole) {
  static win32::InFlightMessages inFlight = {};
  const NativeMessage creating = {kWindow, 0x81, 0, static_cast<int64_t>(kPointer)};
  const NativeMessage sizing = {kWindow, 0x24, 0xFFFFFFFF00000001u, -2};
  win32::beginMessage(inFlight, creating);
  win32::beginMessage(inFlight, sizing);
  const NativeMessage* inner = win32::currentMessage(inFlight, kWindow, 0x24, 1, 0xFFFFFFFEu);
  ASSERT_NE(inner, nullptr) << "the 32-bit view names the innermost message";
  EXPECT_EQ(inner->wParam, sizing.wParam) << "wParam keeps its high half";
  EXPECT_EQ(win32::currentMessage(inFlight, kWindow, 0x81, 0, 0x12345678u), nullptr)
      << "an outer message is not the one being handled";
  win32::endMessage(inFlight);
  const NativeMessage* outer = win32::currentMessage(inFlight, kWindow, 0x81, 0, 0x12345678u);
  ASSERT_NE(outer, nullptr) << "after the nested one ends, the outer one is innermost";
  EXPECT_EQ(static_cast<uint64_t>(outer->lParam), kPointer) << "the pointer comes back whole";
  win32::endMessage(inFlight);
}

TEST(MessageForwarding, DefaultResultsGoBackWholeAndUnknownViewsWidenAsA32BitProgramWould) {
  static win32::InFlightMessages inFlight = {};
  win32::beginMessage(inFlight, {kWindow, 0x7F, 0, 0});
  win32::recordDefaultResult(inFlight, static_cast<int64_t>(kPointer));
  EXPECT_EQ(static_cast<uint64_t>(win32::windowProcResult(inFlight, 0x12345678)), kPointer)
      << "default processing's handle-sized result goes back whole";
  EXPECT_EQ(win32::windowProcResult(inFlight, 1), 1) << "the procedure's own result is kept";
  win32::endMessage(inFlight);
  const NativeMessage wide = win32::widenView(kWindow, 0x200, 0xFFFFFFFFu, 0xFFFFFFFFu);
  EXPECT_EQ(wide.wParam, 0xFFFFFFFFu) << "wParam widens with zeros";
  EXPECT_EQ(wide.lParam, -1) << "lParam widens with its sign";
}

TEST(MessageForwarding, NestingDeeperThanTheTableForgetsOnlyTheMessagesItCannotHold) {
  static win32::InFlightMessages inFlight = {};
  for (uint32_t i = 0; i <= win32::kMaxNestedMessages; ++i) {
    win32::beginMessage(inFlight, {kWindow, i, i, 0});
  }
  const uint32_t last = win32::kMaxNestedMessages - 1;
  EXPECT_EQ(win32::currentMessage(inFlight, kWindow, last + 1, last + 1, 0), nullptr)
      << "a message past the table is not known";
  win32::recordDefaultResult(inFlight, 5);  // must not write past the table
  win32::endMessage(inFlight);
  EXPECT_NE(win32::currentMessage(inFlight, kWindow, last, last, 0), nullptr)
      << "the deepest kept message is known again once the deeper one ends";
}

TEST(FocusGuard, OnlyLastingChangesReachTheProcedureOnce) {
  win32::FocusGuard guard = {};
  EXPECT_FALSE(win32::deliverActivation(guard, false)) << "the window starts inactive";
  EXPECT_TRUE(win32::deliverActivation(guard, true)) << "the first activation is delivered";
  win32::beginBox(guard);
  win32::beginBox(guard);
  EXPECT_FALSE(win32::deliverActivation(guard, false)) << "the box taking it is held back";
  EXPECT_FALSE(win32::deliverActivation(guard, true)) << "the box giving it back is held back";
  EXPECT_EQ(win32::endBox(guard, false), -1) << "the outer box is still up";
  EXPECT_EQ(win32::endBox(guard, false), 0) << "a lasting loss is one deactivation";
  EXPECT_TRUE(win32::deliverActivation(guard, false)) << "which then reaches the procedure";
  EXPECT_TRUE(win32::deliverActivation(guard, true)) << "the user switching back is delivered";
}

TEST(FileFilter, OnePairEndedByAnEmptyStringAndNothingPastTheBuffer) {
  char out[17];
  ASSERT_TRUE(win32::buildFileFilter("DNL Files", "*.dnl", out, sizeof out))
      << "exactly the bytes it needs are enough";
  EXPECT_EQ(std::string(out, 17), std::string("DNL Files\0*.dnl\0\0", 17))
      << "label, pattern and the empty string that ends the list";
  EXPECT_FALSE(win32::buildFileFilter("DNL Files", "*.dnl", out, 16)) << "one fewer is not";
  EXPECT_EQ(out[0], '\0') << "a list that does not fit leaves an empty text";
}

TEST(GlyphRepair, EmptyListsGetTheFontsAdvanceAndDrawnOnesStay) {
  if (!makeTestGlContext()) GTEST_SKIP() << "no OpenGL context";
  static const GLubyte kBar[2] = {0x80, 0x80};
  glNewList(100, GL_COMPILE);  // what the blank glyph came out as: nothing at all
  glEndList();
  glNewList(101, GL_COMPILE);
  glBitmap(1, 2, 0, 0, 7, 0, kBar);
  glEndList();
  const int32_t advances[] = {8, 8, 0};
  EXPECT_EQ(win32::repairGlyphAdvances(100, 3, advances), 1u) << "only the empty glyph";
  EXPECT_EQ(win32::measureGlyphAdvance(100), 8) << "the blank glyph advances by the font's";
  EXPECT_EQ(win32::measureGlyphAdvance(101), 7) << "a drawn glyph keeps its own advance";
  EXPECT_EQ(win32::measureGlyphAdvance(102), 0) << "a code without advance gets no list";
  GLboolean mask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, mask);
  EXPECT_EQ(mask[0], GL_TRUE) << "measuring gives the colour mask back";
  destroyTestGlContext();
}
