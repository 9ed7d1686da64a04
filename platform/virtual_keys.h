// Virtual-key codes: the index into the 256-byte keyboard state and the wParam of key-down
// messages. Backends translate their own key identities into these.
#pragma once

#include <cstdint>

inline constexpr uint8_t kVkLButton = 0x01;
inline constexpr uint8_t kVkRButton = 0x02;
inline constexpr uint8_t kVkEscape = 0x1B;
inline constexpr uint8_t kVkLeft = 0x25;
inline constexpr uint8_t kVkUp = 0x26;
inline constexpr uint8_t kVkRight = 0x27;
inline constexpr uint8_t kVkDown = 0x28;
inline constexpr uint8_t kVk0 = 0x30;  // main-keyboard digits 0x30..0x39
inline constexpr uint8_t kVk1 = 0x31;
inline constexpr uint8_t kVk2 = 0x32;
inline constexpr uint8_t kVk3 = 0x33;
inline constexpr uint8_t kVk4 = 0x34;
inline constexpr uint8_t kVk9 = 0x39;
inline constexpr uint8_t kVkA = 0x41;  // letters 0x41..0x5A
inline constexpr uint8_t kVkR = 0x52;
inline constexpr uint8_t kVkNumpad0 = 0x60;
inline constexpr uint8_t kVkNumpad1 = 0x61;
inline constexpr uint8_t kVkF1 = 0x70;
inline constexpr uint8_t kVkF4 = 0x73;
inline constexpr uint8_t kVkF6 = 0x75;
inline constexpr uint8_t kVkF12 = 0x7B;
inline constexpr uint8_t kVkOemPlus = 0xBB;    // + / =
inline constexpr uint8_t kVkOemComma = 0xBC;   // ,
inline constexpr uint8_t kVkOemMinus = 0xBD;   // -
inline constexpr uint8_t kVkOemPeriod = 0xBE;  // .
inline constexpr uint8_t kVkOem4 = 0xDB;       // [
inline constexpr uint8_t kVkOem6 = 0xDD;       // ]
