// The one table that turns SDL scancodes (physical keys, US layout positions) into the
// virtual-key codes of the viewer's keyboard state and key-down messages.
#include <cstring>

#include "platform/sdl/sdl_backend.h"
#include "platform/virtual_keys.h"

namespace {

struct KeyRow {
  SDL_Scancode scancode;
  uint8_t virtualKey;
};

// clang-format off
constexpr KeyRow kKeyTable[] = {
    {SDL_SCANCODE_ESCAPE,       kVkEscape},     // Esc: quit
    {SDL_SCANCODE_LEFT,         kVkLeft},       // arrows: forward, back, slide left and right
    {SDL_SCANCODE_UP,           kVkUp},
    {SDL_SCANCODE_RIGHT,        kVkRight},
    {SDL_SCANCODE_DOWN,         kVkDown},
    {SDL_SCANCODE_0,            kVk0},          // main-keyboard digits (the keypad differs)
    {SDL_SCANCODE_1,            kVk1},
    {SDL_SCANCODE_2,            kVk2},
    {SDL_SCANCODE_3,            kVk3},
    {SDL_SCANCODE_4,            kVk4},
    {SDL_SCANCODE_5,            0x35},
    {SDL_SCANCODE_6,            0x36},
    {SDL_SCANCODE_7,            0x37},
    {SDL_SCANCODE_8,            0x38},
    {SDL_SCANCODE_9,            kVk9},
    {SDL_SCANCODE_A,            0x41},          // letters A..Z are 0x41..0x5A
    {SDL_SCANCODE_B,            0x42},
    {SDL_SCANCODE_C,            0x43},
    {SDL_SCANCODE_D,            0x44},
    {SDL_SCANCODE_E,            0x45},
    {SDL_SCANCODE_F,            0x46},
    {SDL_SCANCODE_G,            0x47},
    {SDL_SCANCODE_H,            0x48},
    {SDL_SCANCODE_I,            0x49},
    {SDL_SCANCODE_J,            0x4A},
    {SDL_SCANCODE_K,            0x4B},
    {SDL_SCANCODE_L,            0x4C},
    {SDL_SCANCODE_M,            0x4D},
    {SDL_SCANCODE_N,            0x4E},
    {SDL_SCANCODE_O,            0x4F},
    {SDL_SCANCODE_P,            0x50},
    {SDL_SCANCODE_Q,            0x51},
    {SDL_SCANCODE_R,            kVkR},          // R: camera back to the start pose
    {SDL_SCANCODE_S,            0x53},
    {SDL_SCANCODE_T,            0x54},
    {SDL_SCANCODE_U,            0x55},
    {SDL_SCANCODE_V,            0x56},
    {SDL_SCANCODE_W,            0x57},
    {SDL_SCANCODE_X,            0x58},
    {SDL_SCANCODE_Y,            0x59},
    {SDL_SCANCODE_Z,            0x5A},
    {SDL_SCANCODE_KP_0,         kVkNumpad0},    // keypad 1 and 0: up and down
    {SDL_SCANCODE_KP_1,         kVkNumpad1},
    {SDL_SCANCODE_F1,           kVkF1},         // F1: help screen
    {SDL_SCANCODE_F4,           kVkF4},         // Alt+F4: close the window
    {SDL_SCANCODE_F6,           kVkF6},         // F6: load another level
    {SDL_SCANCODE_F12,          kVkF12},        // F12: screenshot
    {SDL_SCANCODE_EQUALS,       kVkOemPlus},    // = and +
    {SDL_SCANCODE_COMMA,        kVkOemComma},   // ,
    {SDL_SCANCODE_MINUS,        kVkOemMinus},   // -
    {SDL_SCANCODE_PERIOD,       kVkOemPeriod},  // .
    {SDL_SCANCODE_LEFTBRACKET,  kVkOem4},       // [
    {SDL_SCANCODE_RIGHTBRACKET, kVkOem6},       // ]
};
// clang-format on

}  // namespace

namespace sdl {

uint8_t virtualKeyFor(SDL_Scancode scancode) {
  for (const KeyRow& row : kKeyTable) {
    if (row.scancode == scancode) return row.virtualKey;
  }
  return 0;
}

void fillKeyboardState(const uint8_t* scancodeState, int scancodeCount, uint8_t state[256]) {
  std::memset(state, 0, 256);
  for (const KeyRow& row : kKeyTable) {
    if (row.scancode < scancodeCount && scancodeState[row.scancode] != 0) {
      state[row.virtualKey] = 0x80;
    }
  }
}

}  // namespace sdl
