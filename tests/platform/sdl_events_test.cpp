// The SDL backend's keyboard state from SDL's scancode state, and its events on SDL's
// display-less driver: keys (system keys with Alt), pointer and focus become the window
// procedure's messages, a flood of pointer moves cannot hide Esc or keep the main loop from
// drawing, and messages die with their window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/sdl/sdl_backend.h"
#include "platform/virtual_keys.h"

class SdlEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("DISPLAY");  // no mode watcher: there is no screen
    ASSERT_TRUE(sdl::initialise()) << SDL_GetError();
    // Messages go to the one window; the display-less driver makes a plain one.
    if (sdl::backend.window == nullptr)
      sdl::backend.window = SDL_CreateWindow("test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(sdl::backend.window, nullptr) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    sdl::backend.queueHead = sdl::backend.queueCount = 0;
    sdl::backend.pumpedThisPass = false;
  }
};

static void pushMotion(int32_t x, int32_t y) {
  SDL_Event event = {};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  ASSERT_EQ(SDL_PushEvent(&event), 1) << "SDL takes the move";
}

static void pushKey(SDL_Scancode scancode) {
  SDL_Event event = {};
  event.type = SDL_KEYDOWN;
  event.key.keysym.scancode = scancode;
  ASSERT_EQ(SDL_PushEvent(&event), 1) << "SDL takes the key";
}

// Translates one event into an empty queue; the message queued, or an all-zero one.
static platform::Message translated(const SDL_Event& event) {
  sdl::backend.queueHead = sdl::backend.queueCount = 0;
  sdl::translate(event);
  return sdl::backend.queueCount == 1 ? sdl::backend.queue[0] : platform::Message{};
}

TEST(SdlKeyTable, KeyboardStateMarksExactlyTheHeldKeysWithinTheScancodeCount) {
  uint8_t scancodes[SDL_NUM_SCANCODES] = {};
  scancodes[SDL_SCANCODE_UP] = scancodes[SDL_SCANCODE_KP_1] = scancodes[SDL_SCANCODE_SPACE] = 1;
  uint8_t state[256];
  std::memset(state, 0x11, sizeof state);
  sdl::fillKeyboardState(scancodes, SDL_NUM_SCANCODES, state);
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(state[code], code == kVkUp || code == kVkNumpad1 ? 0x80 : 0x00) << "code " << code;
  }
  // A shorter scancode array ends before the arrows: they are never read past its end.
  scancodes[SDL_SCANCODE_A] = 1;
  sdl::fillKeyboardState(scancodes, SDL_SCANCODE_A + 1, state);
  EXPECT_EQ(state[kVkA], 0x80) << "A, within the array";
  EXPECT_EQ(state[kVkUp], 0x00) << "up, past the array's end";
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

TEST_F(SdlEvents, KeysWithAltAreSystemKeys) {
  SDL_Event event = {};
  event.type = SDL_KEYDOWN;
  event.key.keysym.scancode = SDL_SCANCODE_F1;
  event.key.keysym.mod = KMOD_LALT;
  EXPECT_EQ(translated(event).message, platform::kWmSysKeyDown) << "Alt+F1 is a system key";
}

TEST_F(SdlEvents, AFloodOfPointerMovesTakesOneMessageAndEscBehindItIsTaken) {
  for (int i = 0; i < 5000; ++i) pushMotion(100 + i % 200, 50);
  pushMotion(400, 300);
  pushKey(SDL_SCANCODE_ESCAPE);
  std::vector<platform::Message> taken;  // what one pass of the main loop takes before its frame
  platform::Message message = {};
  while (platform::peekMessage() && platform::getMessage(&message)) taken.push_back(message);
  ASSERT_EQ(taken.size(), 2u) << "one merged pointer move, then Esc";
  EXPECT_EQ(taken[0].lParam, 400u | (300u << 16)) << "the merged move is the latest position";
  EXPECT_EQ(taken[1].message, platform::kWmKeyDown) << "Esc is not dropped";
  EXPECT_EQ(taken[1].wParam, kVkEscape) << "the key is Esc";
}

TEST_F(SdlEvents, EventsArrivingDuringAPassWaitForTheNextFrame) {
  pushMotion(400, 300);
  platform::Message message = {};
  ASSERT_TRUE(platform::peekMessage()) << "the move is there";
  ASSERT_TRUE(platform::getMessage(&message)) << "the move is taken";
  pushMotion(320, 240);  // as the pointer's re-centring causes while the move is handled
  EXPECT_FALSE(platform::peekMessage()) << "the pass ends: the frame is drawn";
  platform::swapBuffers(nullptr);
  EXPECT_TRUE(platform::peekMessage()) << "the next pass takes the new move";
}

TEST_F(SdlEvents, MessagesForADestroyedWindowAreDropped) {
  pushKey(SDL_SCANCODE_F6);
  ASSERT_TRUE(platform::peekMessage()) << "F6 is queued";
  platform::destroyWindow(sdl::handleOf(sdl::backend.window));
  EXPECT_EQ(sdl::backend.queueCount, 0u) << "the queued F6 died with the window";
  pushKey(SDL_SCANCODE_F6);
  platform::swapBuffers(nullptr);
  EXPECT_FALSE(platform::peekMessage()) << "a key arriving afterwards has nobody to go to";
}
