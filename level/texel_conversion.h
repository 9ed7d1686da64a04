// Turns stored 16-bit texels (bit 15 opaque, five bits each of red, green and blue) into
// RGBA bytes: channels become multiples of 8 up to 248, alpha 0 or 255.
#pragma once

#include <cstdint>

// One texel from a signed reader result; the shifts are arithmetic, so -1 (read past the
// end) becomes 248, 248, 248, 255.
inline void convertTexel(int32_t w, uint8_t* out) {
  out[0] = static_cast<uint8_t>(((w >> 10) & 31) * 8);
  out[1] = static_cast<uint8_t>(((w >> 5) & 31) * 8);
  out[2] = static_cast<uint8_t>((w & 31) * 8);
  out[3] = (w & 0x8000) != 0 ? 255 : 0;
}

// `count` little-endian texels at `in` to 4 * `count` bytes at `out`, as convertTexel does.
void convertTexelRun(const uint8_t* in, int32_t count, uint8_t* out);
