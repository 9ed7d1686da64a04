// The SDL backend's translation of events into the window procedure's messages (keys,
// pointer, focus) and of SDL's scancode state into the 256-byte keyboard state. Needs no
// display: events are made here and fed to the translation directly.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sdl/sdl_backend.h"
#include "platform/virtual_keys.h"

namespace {

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

TEST(SdlEvents, PointerMotionCarriesXInTheLowAndYInTheHighHalf) {
  SDL_Event event = {};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = 300;
  event.motion.y = 17;
  const platform::Message message = translated(event);
  EXPECT_EQ(message.message, platform::kWmMouseMove) << "message";
  EXPECT_EQ(message.lParam & 0xFFFFu, 300u) << "x in the low 16 bits";
  EXPECT_EQ(message.lParam >> 16, 17u) << "y in the high 16 bits";
}

TEST(SdlEvents, KeysBecomeTheirVirtualKeyCodesAndTheKeypadStaysApart) {
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_ESCAPE), kVkEscape) << "Esc";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_F6), kVkF6) << "F6";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_1), kVk1) << "1 of the main keyboard";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_KP_1), kVkNumpad1) << "keypad 1";
  EXPECT_EQ(keyCodeOf(SDL_SCANCODE_KP_2), 0u) << "a keypad key the viewer does not use";
  EXPECT_EQ(keyCodeOf(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES - 1)), 0u) << "the last scancode";
}

TEST(SdlEvents, FocusChangesBecomeActivations) {
  SDL_Event event = {};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  EXPECT_EQ(translated(event).message, platform::kWmActivate) << "focus gained";
  EXPECT_EQ(translated(event).wParam, 1u) << "focus gained: active";
  event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  EXPECT_EQ(translated(event).wParam, 0u) << "focus lost: inactive";
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

}  // namespace
