// The SDL backend's translation of SDL's scancode state into the 256-byte keyboard state.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sdl/sdl_backend.h"
#include "platform/virtual_keys.h"

namespace {

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
