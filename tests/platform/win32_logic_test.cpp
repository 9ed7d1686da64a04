// The Windows backend's platform-neutral logic, checked on every platform: native messages
// in flight reach default processing whole (nested, and past the table's depth), the
// activation guard ends the box-on-activation loop, the dialog's filter list is exact, and
// empty glyph lists get their advance.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/file_filter.h"
#include "platform/win32/focus_guard.h"
#include "platform/win32/glyph_repair.h"
#include "platform/win32/message_forwarding.h"
#include "render/opengl.h"
#include "tests/gl/gl_context.h"

namespace {

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
  EXPECT_EQ(win32::currentMessage(inFlight, kWindow, 0x81, 0, 0x12345679u), nullptr)
      << "other parameters do not name it";
  win32::endMessage(inFlight);
  EXPECT_EQ(inFlight.depth, 0u) << "every message ended";
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
  for (uint32_t i = 0; i < win32::kMaxNestedMessages; ++i) {
    win32::beginMessage(inFlight, {kWindow, i, i, 0});
  }
  const uint32_t last = win32::kMaxNestedMessages - 1;
  win32::beginMessage(inFlight, {kWindow, 999, 999, 0});
  EXPECT_EQ(win32::currentMessage(inFlight, kWindow, 999, 999, 0), nullptr)
      << "a message past the table is not known";
  win32::recordDefaultResult(inFlight, 5);  // must not write past the table
  win32::endMessage(inFlight);
  EXPECT_NE(win32::currentMessage(inFlight, kWindow, last, last, 0), nullptr)
      << "the deepest kept message is known again once the deeper one ends";
}

// A window procedure that, like the shell's, switches the display mode on every activation
// and gets a box for each refusal; the desktop takes the activation away for the box and
// gives it back when the box goes.
int32_t boxesShownFor(int32_t activations) {
  win32::FocusGuard guard = {};
  int32_t boxes = 0;
  int32_t pending = activations;  // activations the desktop delivers
  while (pending-- > 0 && boxes < 100) {
    if (!win32::deliverActivation(guard, true)) continue;
    ++boxes;
    win32::beginBox(guard);
    if (win32::deliverActivation(guard, false)) ++pending;  // the box takes the activation
    if (win32::deliverActivation(guard, true)) ++pending;   // and dismissing it gives it back
    if (win32::endBox(guard, true) == 1) ++pending;
    ++pending;  // the desktop's late repeat of the reactivation
  }
  return boxes;
}

TEST(FocusGuard, ABoxShownOnActivationIsShownOnceNotForEver) {
  EXPECT_EQ(boxesShownFor(1), 1) << "one activation, one refusal, one box";
}

TEST(FocusGuard, OnlyLastingChangesReachTheProcedureOnce) {
  win32::FocusGuard guard = {};
  EXPECT_FALSE(win32::deliverActivation(guard, false)) << "the window starts inactive";
  EXPECT_TRUE(win32::deliverActivation(guard, true)) << "the first activation is delivered";
  win32::beginBox(guard);
  win32::beginBox(guard);
  EXPECT_FALSE(win32::deliverActivation(guard, false)) << "held while a box is up";
  EXPECT_EQ(win32::endBox(guard, false), -1) << "the outer box is still up";
  EXPECT_EQ(win32::endBox(guard, false), 0) << "a lasting loss is one deactivation";
  EXPECT_TRUE(win32::deliverActivation(guard, false)) << "which then reaches the procedure";
  EXPECT_TRUE(win32::deliverActivation(guard, true)) << "the user switching back is delivered";
}

TEST(FileFilter, OnePairEndedByAnEmptyStringAndNothingPastTheBuffer) {
  char out[32];
  ASSERT_TRUE(win32::buildFileFilter("DNL Files", "*.dnl", out, sizeof out)) << "it fits";
  EXPECT_EQ(std::string(out, 17), std::string("DNL Files\0*.dnl\0\0", 17))
      << "label, pattern and the empty string that ends the list";
  char tight[17];
  EXPECT_TRUE(win32::buildFileFilter("DNL Files", "*.dnl", tight, sizeof tight))
      << "exactly the bytes it needs are enough";
  EXPECT_FALSE(win32::buildFileFilter("DNL Files", "*.dnl", tight, 16)) << "one fewer is not";
  EXPECT_EQ(tight[0], '\0') << "a list that does not fit leaves an empty text";
  EXPECT_FALSE(win32::buildFileFilter(nullptr, "*.dnl", out, sizeof out)) << "no label";
}

class GlyphRepairTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!makeTestGlContext()) GTEST_SKIP() << "no OpenGL context";
  }
  void TearDown() override { destroyTestGlContext(); }
};

TEST_F(GlyphRepairTest, EmptyListsGetTheFontsAdvanceAndDrawnOnesStay) {
  static const GLubyte kBar[2] = {0x80, 0x80};
  glNewList(100, GL_COMPILE);  // what the blank glyph came out as: nothing at all
  glEndList();
  glNewList(101, GL_COMPILE);
  glBitmap(1, 2, 0, 0, 7, 0, kBar);
  glEndList();
  glNewList(102, GL_COMPILE);
  glEndList();
  const int32_t advances[] = {8, 8, 0};
  EXPECT_EQ(win32::repairGlyphAdvances(100, 3, advances), 1u) << "only the empty glyph";
  EXPECT_EQ(win32::measureGlyphAdvance(100), 8) << "the blank glyph advances by the font's";
  EXPECT_EQ(win32::measureGlyphAdvance(101), 7) << "a drawn glyph keeps its own advance";
  EXPECT_EQ(win32::measureGlyphAdvance(102), 0) << "a code without advance stays empty";
  EXPECT_EQ(win32::measureGlyphAdvance(103), 0) << "a missing list measures 0";
  GLboolean mask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, mask);
  EXPECT_EQ(mask[0], GL_TRUE) << "measuring gives the colour mask back";
}

}  // namespace
