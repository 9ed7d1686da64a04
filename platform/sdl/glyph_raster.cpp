// Finds the overlay's monospace font with fontconfig and renders each code with FreeType in mono
// mode, flipping FreeType's top-down rows into the bottom-up rows of a GL bitmap. The work
// and its allocations happen once per cell height; rebuilding lists of the same height
// reuses the table.
#include "platform/sdl/glyph_raster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>

GlyphFont glyphFont;

namespace {

constexpr int32_t kSmallestPixelSize = 6;
constexpr size_t kFontPathSize = 1024;

int32_t attemptedCell = 0;  // the cell of the last attempt, 0 before the first

// The font file fontconfig matches for `name`; with `exactFamily`, only a font of that
// family (fontconfig otherwise answers with its nearest substitute).
bool findFont(FcConfig* config, const char* name, bool exactFamily, char* path, size_t pathSize,
              int* faceIndex) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
  if (pattern == nullptr) return false;
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  bool found = false;
  FcChar8* family = nullptr;
  FcChar8* file = nullptr;
  const bool familyMatches =
      !exactFamily || (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                       FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(name)) == 0);
  if (familyMatches && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    const size_t length = std::strlen(reinterpret_cast<const char*>(file));
    if (length < pathSize) {
      std::memcpy(path, file, length + 1);
      if (FcPatternGetInteger(match, FC_INDEX, 0, faceIndex) != FcResultMatch) *faceIndex = 0;
      found = true;
    }
  }
  FcPatternDestroy(match);
  return found;
}

// DejaVu Sans Mono, which the project installs, so the text looks the same on every machine
// whatever else is installed; the system's monospace font where it is missing.
bool findMonospaceFont(char* path, size_t pathSize, int* faceIndex) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return false;
  const bool found = findFont(config, "DejaVu Sans Mono", true, path, pathSize, faceIndex) ||
                     findFont(config, "monospace", false, path, pathSize, faceIndex);
  FcConfigDestroy(config);
  return found;
}

// The largest size up to the cell's height whose unhinted advance of 'M' stays within the
// cell's pitch.
bool choosePixelSize(FT_Face face) {
  const int32_t smallest = std::min(kSmallestPixelSize, glyphFont.cellHeight);
  for (int32_t size = glyphFont.cellHeight; size >= smallest; --size) {
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) != 0) continue;
    if (FT_Load_Char(face, 'M', FT_LOAD_NO_HINTING) != 0) continue;
    // linearHoriAdvance is 16.16 fixed point pixels.
    if (face->glyph->linearHoriAdvance <= (glyphFont.advance << 16)) {
      glyphFont.pixelSize = size;
      glyphFont.lineHeight = static_cast<int32_t>((face->size->metrics.height + 63) >> 6);
      return true;
    }
  }
  return false;
}

bool hasGlyph(uint32_t code) {
  return code > 0x20 && !(code >= 0x7f && code < 0xa1);
}

void copyGlyph(const FT_GlyphSlot slot, GlyphBitmap& glyph) {
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.pitch <= 0 || bitmap.buffer == nullptr) {
    return;
  }
  const int32_t width = std::min<int32_t>(static_cast<int32_t>(bitmap.width), kGlyphMaxWidth);
  const int32_t rows = std::min<int32_t>(static_cast<int32_t>(bitmap.rows), kGlyphMaxRows);
  const int32_t bytes = std::min<int32_t>(bitmap.pitch, kGlyphRowBytes);
  for (int32_t row = 0; row < rows; ++row) {
    // FreeType's row 0 is the top; the GL bitmap's row 0 is the bottom of what is kept.
    const uint8_t* source = bitmap.buffer + static_cast<size_t>(row) * bitmap.pitch;
    uint8_t* target = glyph.bits + (rows - 1 - row) * kGlyphRowBytes;
    std::memcpy(target, source, static_cast<size_t>(bytes));
  }
  glyph.width = width;
  glyph.rows = rows;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
}

void rasterizeFace(FT_Face face) {
  for (uint32_t code = 0; code < kGlyphCodeCount; ++code) {
    GlyphBitmap& glyph = glyphFont.glyphs[code];
    glyph = {};
    if (!hasGlyph(code) || FT_Get_Char_Index(face, code) == 0) continue;
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) continue;
    copyGlyph(face->glyph, glyph);
  }
}

}  // namespace

bool rasterizeGlyphFont(int32_t cellHeight) {
  cellHeight = std::clamp(cellHeight, 1, kGlyphLargestCell);
  if (attemptedCell == cellHeight) return glyphFont.loaded;
  attemptedCell = cellHeight;
  glyphFont = {};
  glyphFont.cellHeight = cellHeight;
  glyphFont.advance = std::max(1, glyphAdvanceFor(cellHeight));

  char path[kFontPathSize];
  int faceIndex = 0;
  if (!findMonospaceFont(path, sizeof path, &faceIndex)) return false;

  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return false;
  FT_Face face = nullptr;
  if (FT_New_Face(library, path, faceIndex, &face) == 0) {
    if (choosePixelSize(face)) {
      rasterizeFace(face);
      glyphFont.loaded = true;
    }
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return glyphFont.loaded;
}
