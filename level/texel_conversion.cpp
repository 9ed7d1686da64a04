// The bulk texel conversion, written so the compiler can vectorise it: each texel becomes
// one little-endian word holding red, green, blue and alpha.
#include "level/texel_conversion.h"

#include <bit>
#include <cstring>

// Built twice on x86-64, the wider variant chosen at start-up where the processor has it.
// GCC only: clang emits the clones without the plain symbol that other files call. ELF only:
// the choice at start-up needs the loader's indirect functions, which Windows lacks.
#if defined(__x86_64__) && defined(__ELF__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void convertTexelRun(const uint8_t* in, int32_t count, uint8_t* out) {
  static_assert(std::endian::native == std::endian::little, "RGBA is stored as one LE word");
  for (int32_t i = 0; i < count; ++i) {
    uint16_t w;
    std::memcpy(&w, in + 2 * i, 2);
    const uint32_t r = (w >> 7) & 0xF8u, g = (w >> 2) & 0xF8u, b = (w << 3) & 0xF8u;
    const uint32_t a = (0u - (uint32_t{w} >> 15)) & 0xFF000000u;
    const uint32_t rgba = r | g << 8 | b << 16 | a;
    std::memcpy(out + 4 * i, &rgba, 4);
  }
}
