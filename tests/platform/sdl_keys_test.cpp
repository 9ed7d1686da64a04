// The SDL backend's key table: every key the viewer uses reaches its virtual-key code, the
// keypad is not the main keyboard, and the keyboard state sets exactly the held keys.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "platform/sdl/sdl_backend.h"
#include "platform/virtual_keys.h"

TEST(SdlKeyTable, EveryKeyTheViewerUsesHasItsCodeAndNoOtherKeyHasOne) {
  // Each scancode and the virtual-key code it must give (0: none).
  const int32_t scancodes[] = {SDL_SCANCODE_ESCAPE,      SDL_SCANCODE_0,
                               SDL_SCANCODE_1,           SDL_SCANCODE_2,
                               SDL_SCANCODE_3,           SDL_SCANCODE_4,
                               SDL_SCANCODE_9,           SDL_SCANCODE_R,
                               SDL_SCANCODE_A,           SDL_SCANCODE_Z,
                               SDL_SCANCODE_F1,          SDL_SCANCODE_F6,
                               SDL_SCANCODE_LEFT,        SDL_SCANCODE_UP,
                               SDL_SCANCODE_RIGHT,       SDL_SCANCODE_DOWN,
                               SDL_SCANCODE_KP_0,        SDL_SCANCODE_KP_1,
                               SDL_SCANCODE_LEFTBRACKET, SDL_SCANCODE_RIGHTBRACKET,
                               SDL_SCANCODE_MINUS,       SDL_SCANCODE_EQUALS,
                               SDL_SCANCODE_COMMA,       SDL_SCANCODE_PERIOD,
                               SDL_SCANCODE_KP_2,        SDL_SCANCODE_KP_9,
                               SDL_SCANCODE_F2,          SDL_SCANCODE_SPACE,
                               SDL_SCANCODE_UNKNOWN,     100000};
  const uint8_t codes[] = {kVkEscape, kVk0,    kVk1,        kVk2,       kVk3,        kVk4,
                           kVk9,      kVkR,    kVkA,        0x5A,       kVkF1,       kVkF6,
                           kVkLeft,   kVkUp,   kVkRight,    kVkDown,    kVkNumpad0,  kVkNumpad1,
                           kVkOem4,   kVkOem6, kVkOemMinus, kVkOemPlus, kVkOemComma, kVkOemPeriod,
                           0,         0,       0,           0,          0,           0};
  static_assert(std::size(scancodes) == std::size(codes));
  for (size_t i = 0; i < std::size(codes); ++i) {
    EXPECT_EQ(sdl::virtualKeyFor(static_cast<SDL_Scancode>(scancodes[i])), codes[i]) << i;
  }
}

TEST(SdlKeyTable, KeyboardStateMarksExactlyTheHeldKeysWithinTheScancodeCount) {
  uint8_t scancodes[SDL_NUM_SCANCODES] = {};
  scancodes[SDL_SCANCODE_UP] = scancodes[SDL_SCANCODE_KP_1] = scancodes[SDL_SCANCODE_SPACE] = 1;
  uint8_t state[256];
  std::memset(state, 0x11, sizeof state);
  sdl::fillKeyboardState(scancodes, SDL_NUM_SCANCODES, state);
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(state[code], code == kVkUp || code == kVkNumpad1 ? 0x80 : 0x00) << code;
  }
  // A shorter scancode array ends before the arrows: they are never read past its end.
  scancodes[SDL_SCANCODE_A] = 1;
  sdl::fillKeyboardState(scancodes, SDL_SCANCODE_A + 1, state);
  EXPECT_TRUE(state[kVkA] == 0x80 && state[kVkUp] == 0x00);
}
