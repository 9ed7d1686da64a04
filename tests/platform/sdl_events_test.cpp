// The SDL backend's events on SDL's display-less driver: keys, pointer and focus become the
// window procedure's messages, a flood of pointer moves cannot hide Esc or keep the main loop
// from drawing, and keys pressed with Alt are system keys, not key commands.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl/sdl_backend.h"
#include "platform/virtual_keys.h"

namespace {

class SdlEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("DISPLAY");  // no mode watcher: there is no screen
    ASSERT_TRUE(sdl::initialise()) << SDL_GetError();
    // Messages go to the one window; the display-less driver makes a plain one.
    if (sdl::backend.window == nullptr) {
      sdl::backend.window = SDL_CreateWindow("test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    }
    ASSERT_NE(sdl::backend.window, nullptr) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    sdl::backend.queueHead = sdl::backend.queueCount = 0;
    sdl::backend.pumpedThisPass = false;
  }
};

void pushMotion(int32_t x, int32_t y) {
  SDL_Event event = {};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void pushKey(SDL_Scancode scancode, uint16_t modifiers) {
  SDL_Event event = {};
  event.type = SDL_KEYDOWN;
  event.key.keysym.scancode = scancode;
  event.key.keysym.mod = modifiers;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

// The messages one pass of the main loop takes before its frame.
std::vector<platform::Message> takeOnePass() {
  std::vector<platform::Message> taken;
  platform::Message message = {};
  while (platform::peekMessage() && platform::getMessage(&message)) taken.push_back(message);
  return taken;
}

// Translates one event into an empty queue; the message queued, or an all-zero one.
platform::Message translated(const SDL_Event& event) {
  sdl::backend.queueHead = 0;
  sdl::backend.queueCount = 0;
  sdl::translate(event);
  return sdl::backend.queueCount == 1 ? sdl::backend.queue[0] : platform::Message{};
}

uint32_t keyCodeOf(SDL_Scancode scancode) {
  SDL_Event event = {};
  event.type = SDL_KEYDOWN;
  event.key.keysym.scancode = scancode;
  const platform::Message message = translated(event);
  return message.message == platform::kWmKeyDown ? message.wParam : 0;
}

}  // namespace

TEST_F(SdlEvents, PointerMotionCarriesXInTheLowAndYInTheHighHalf) {
  SDL_Event event = {};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = 300;
  event.motion.y = 17;
  const platform::Message message = translated(event);
  EXPECT_EQ(message.message, platform::kWmMouseMove) << "message";
  EXPECT_EQ(message.lParam & 0xFFFFu, 300u) << "x in the low 16 bits";
  EXPECT_EQ(message.lParam >> 16, 17u) << "y in the high 16 bits";
}

TEST_F(SdlEvents, KeysBecomeTheirVirtualKeyCodesAndTheKeypadStaysApart) {
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_ESCAPE), kVkEscape) << "Esc";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_F6), kVkF6) << "F6";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_1), kVk1) << "1 of the main keyboard";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_KP_1), kVkNumpad1) << "keypad 1";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_KP_2), 0u) << "a keypad key the viewer does not use";
  EXPECT_EQ(keyCodeOf(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES - 1)), 0u) << "the last scancode";
}

TEST_F(SdlEvents, FocusChangesBecomeActivations) {
  SDL_Event event = {};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  EXPECT_EQ(translated(event).message, platform::kWmActivate) << "focus gained";
  EXPECT_EQ(translated(event).wParam, 1u) << "focus gained: active";
  event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  EXPECT_EQ(translated(event).wParam, 0u) << "focus lost: inactive";
}

TEST_F(SdlEvents, AFloodOfPointerMovesTakesOneMessageAndEscBehindItIsTaken) {
  for (int i = 0; i < 5000; ++i) pushMotion(100 + i % 200, 50);
  pushMotion(400, 300);
  pushKey(SDL_SCANCODE_ESCAPE, KMOD_NONE);
  const std::vector<platform::Message> taken = takeOnePass();
  ASSERT_EQ(taken.size(), 2u) << "one merged pointer move, then Esc";
  EXPECT_EQ(taken[0].message, platform::kWmMouseMove) << "the moves come first";
  EXPECT_EQ(taken[0].lParam, 400u | (300u << 16)) << "the merged move is the latest position";
  EXPECT_EQ(taken[1].message, platform::kWmKeyDown) << "Esc is not dropped";
  EXPECT_EQ(taken[1].wParam, kVkEscape) << "the key is Esc";
}

TEST_F(SdlEvents, EventsArrivingDuringAPassWaitForTheNextFrame) {
  pushMotion(400, 300);
  platform::Message message = {};
  ASSERT_TRUE(platform::peekMessage());
  ASSERT_TRUE(platform::getMessage(&message));
  pushMotion(320, 240);  // as the pointer's re-centring causes while the move is handled
  EXPECT_FALSE(platform::peekMessage()) << "the pass ends: the frame is drawn";
  platform::swapBuffers(nullptr);
  EXPECT_TRUE(platform::peekMessage()) << "the next pass takes the new move";
}

TEST_F(SdlEvents, KeysPressedWithAltAreSystemKeys) {
  pushKey(SDL_SCANCODE_F6, KMOD_LALT);
  pushKey(SDL_SCANCODE_0, KMOD_RALT);
  pushKey(SDL_SCANCODE_F6, KMOD_NONE);
  const std::vector<platform::Message> taken = takeOnePass();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].message, platform::kWmSysKeyDown) << "Alt+F6";
  EXPECT_EQ(taken[0].wParam, kVkF6) << "Alt+F6 keeps its key code";
  EXPECT_EQ(taken[1].message, platform::kWmSysKeyDown) << "right Alt+0";
  EXPECT_EQ(taken[2].message, platform::kWmKeyDown) << "F6 alone is a key command";
}

TEST_F(SdlEvents, DefaultProcessingClosesTheWindowOnAltF4Only) {
  platform::defaultWindowProc(nullptr, platform::kWmSysKeyDown, kVkF6, 0);
  EXPECT_EQ(sdl::backend.queueCount, 0u) << "Alt+F6 does nothing";
  platform::defaultWindowProc(nullptr, platform::kWmSysKeyDown, kVkF4, 0);
  ASSERT_EQ(sdl::backend.queueCount, 1u) << "Alt+F4 queues one message";
  EXPECT_EQ(sdl::backend.queue[sdl::backend.queueHead].message, platform::kWmClose)
      << "and it is the close";
}

TEST_F(SdlEvents, MessagesForADestroyedWindowAreDropped) {
  pushKey(SDL_SCANCODE_F6, KMOD_NONE);
  ASSERT_TRUE(platform::peekMessage());
  platform::destroyWindow(sdl::handleOf(sdl::backend.window));
  EXPECT_EQ(sdl::backend.queueCount, 0u) << "the queued F6 died with the window";
  pushKey(SDL_SCANCODE_F6, KMOD_NONE);
  platform::swapBuffers(nullptr);
  EXPECT_FALSE(platform::peekMessage()) << "a key arriving afterwards has nobody to go to";
}
