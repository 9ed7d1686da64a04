// Formatting of the overlay's lines: the status line, the nine help lines and the item
// labels. Each writes into a caller's buffer and returns the number of characters that
// stand in it (never more than size - 1, whatever the formatter would have written).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int32_t kHelpLineCount = 9;
inline constexpr size_t kTextBufferSize = 256;

// "F1=Help <fps> POS=(X,Y,Z)=(...) DIR=(H,P,B)=(...)" from frameStats and camera.
int32_t formatStatusLine(char* out, size_t size);

// Help line `line` (0 = top, "LEVEL    : ..."); 0 characters for a line outside 0..8.
int32_t formatHelpLine(int32_t line, char* out, size_t size);

// Eye-space y of help line `line`: 160 for the top line, 10 less for each further line.
float helpLineY(int32_t line);

// The item's object id in lower-case hexadecimal without leading zeros.
int32_t formatItemLabel(int32_t objectId, char* out, size_t size);
