// The SDL backend's key table: every key the viewer uses reaches its virtual-key code, the
// keypad is not the main keyboard, and the keyboard state sets exactly the held keys.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/platform/sdl_backend.h"
#include "app/platform/virtual_keys.h"

namespace {

struct KeyCase {
  SDL_Scancode scancode;
  uint8_t virtualKey;
};

TEST(SdlKeyTable, EveryKeyTheViewerUsesHasItsCode) {
  const std::vector<KeyCase> keys = {
      {SDL_SCANCODE_ESCAPE, kVkEscape},
      {SDL_SCANCODE_0, kVk0},
      {SDL_SCANCODE_1, kVk1},
      {SDL_SCANCODE_2, kVk2},
      {SDL_SCANCODE_3, kVk3},
      {SDL_SCANCODE_4, kVk4},
      {SDL_SCANCODE_9, kVk9},
      {SDL_SCANCODE_R, kVkR},
      {SDL_SCANCODE_A, kVkA},
      {SDL_SCANCODE_Z, 0x5A},
      {SDL_SCANCODE_F1, kVkF1},
      {SDL_SCANCODE_F6, kVkF6},
      {SDL_SCANCODE_LEFT, kVkLeft},
      {SDL_SCANCODE_UP, kVkUp},
      {SDL_SCANCODE_RIGHT, kVkRight},
      {SDL_SCANCODE_DOWN, kVkDown},
      {SDL_SCANCODE_KP_0, kVkNumpad0},
      {SDL_SCANCODE_KP_1, kVkNumpad1},
      {SDL_SCANCODE_LEFTBRACKET, kVkOem4},
      {SDL_SCANCODE_RIGHTBRACKET, kVkOem6},
      {SDL_SCANCODE_MINUS, kVkOemMinus},
      {SDL_SCANCODE_EQUALS, kVkOemPlus},
      {SDL_SCANCODE_COMMA, kVkOemComma},
      {SDL_SCANCODE_PERIOD, kVkOemPeriod},
  };
  for (const KeyCase& key : keys) {
    EXPECT_EQ(sdl::virtualKeyFor(key.scancode), key.virtualKey) << key.scancode;
  }
}

TEST(SdlKeyTable, KeypadDigitsAndUnusedKeysHaveNoCode) {
  for (SDL_Scancode scancode : {SDL_SCANCODE_KP_2, SDL_SCANCODE_KP_9, SDL_SCANCODE_F2,
                                SDL_SCANCODE_SPACE, SDL_SCANCODE_UNKNOWN}) {
    EXPECT_EQ(sdl::virtualKeyFor(scancode), 0) << scancode;
  }
  EXPECT_EQ(sdl::virtualKeyFor(static_cast<SDL_Scancode>(100000)), 0);
}

TEST(SdlKeyTable, KeyboardStateMarksExactlyTheHeldKeys) {
  uint8_t scancodes[SDL_NUM_SCANCODES] = {};
  scancodes[SDL_SCANCODE_UP] = 1;
  scancodes[SDL_SCANCODE_KP_1] = 1;
  scancodes[SDL_SCANCODE_SPACE] = 1;  // not used by the viewer
  uint8_t state[256];
  std::memset(state, 0x11, sizeof state);
  sdl::fillKeyboardState(scancodes, SDL_NUM_SCANCODES, state);
  for (int code = 0; code < 256; ++code) {
    const bool held = code == kVkUp || code == kVkNumpad1;
    EXPECT_EQ(state[code], held ? 0x80 : 0x00) << code;
  }
}

TEST(SdlKeyTable, KeyboardStateNeverReadsPastTheScancodeCount) {
  uint8_t scancodes[SDL_SCANCODE_A + 1] = {};  // ends before the arrows and F keys
  scancodes[SDL_SCANCODE_A] = 1;
  uint8_t state[256];
  sdl::fillKeyboardState(scancodes, SDL_SCANCODE_A + 1, state);
  EXPECT_EQ(state[kVkA], 0x80);
  EXPECT_EQ(state[kVkUp], 0x00);
}

}  // namespace
