// The bitmap font of the overlay: the system's monospace font (found through fontconfig)
// rasterised by FreeType as one-bit glyphs for character codes 0 to 254 at a cell height,
// on a fixed pitch (8 pixels for the 13-pixel cell of the 480-line screen, in proportion for
// others). Codes 128 to 254 are taken as Latin-1; codes without a glyph stay empty.
#pragma once

#include <cstdint>

#include "platform/screen.h"

inline constexpr int32_t kGlyphCellHeight = 13;  // the 480-line screen's cell
inline constexpr int32_t kGlyphAdvance = 8;      // the pitch of that cell
inline constexpr int32_t kGlyphLargestCell = 64;
inline constexpr int32_t kGlyphMaxWidth = 48;  // pixels; wider ink is cut at the right
inline constexpr int32_t kGlyphMaxRows = 80;   // taller ink is cut at the bottom
inline constexpr int32_t kGlyphRowBytes = kGlyphMaxWidth / 8;

// One glyph, rows bottom-up as glBitmap wants them, kGlyphRowBytes per row, leftmost pixel
// in the high bit of the first byte.
struct GlyphBitmap {
  int32_t width;  // pixels, 0 for an empty glyph
  int32_t rows;
  int32_t left;  // pen to the first column, pixels
  int32_t top;   // baseline to the top row, pixels
  uint8_t bits[kGlyphMaxRows * kGlyphRowBytes];
};

struct GlyphFont {
  GlyphBitmap glyphs[kGlyphCodeCount];
  int32_t cellHeight;  // the cell asked for
  int32_t advance;     // the pitch, pixels
  int32_t pixelSize;   // the size the font was rasterised at
  int32_t lineHeight;  // pixels from one baseline to the next
  bool loaded;
};

extern GlyphFont glyphFont;

// The pitch of a cell `cellHeight` pixels tall (1..kGlyphLargestCell): 8 for 13.
inline int32_t glyphAdvanceFor(int32_t cellHeight) {
  return (kGlyphAdvance * cellHeight + kGlyphCellHeight / 2) / kGlyphCellHeight;
}

// Rasterises the font into glyphFont for a cell `cellHeight` pixels tall (clamped to
// 1..kGlyphLargestCell): the largest pixel size up to the cell's height whose advance fits
// the cell's pitch. Asked again for the same cell it only reports the result. False when no
// font was found.
bool rasterizeGlyphFont(int32_t cellHeight = kGlyphCellHeight);

// Whether pixel (column, row) of a glyph is set; row 0 is the bottom row.
inline bool glyphPixel(const GlyphBitmap& glyph, int32_t column, int32_t row) {
  if (column < 0 || column >= glyph.width || row < 0 || row >= glyph.rows) return false;
  const uint8_t byte = glyph.bits[row * kGlyphRowBytes + column / 8];
  return (byte & (0x80u >> (column % 8))) != 0;
}
