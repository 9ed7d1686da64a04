// F12: the frame on the screen, overlay included, saved as a PNG named after the level and
// the local time in the user's pictures folder (else the working folder), never over an
// existing file. A failed save is reported on stderr and changes nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/png_image.h"
#include "platform/platform.h"

// The largest frame a screenshot takes: a 3840 x 2160 client area.
inline constexpr size_t kScreenshotCapacity = 3u * 3840u * 2160u;

#if defined(_WIN32)
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// "FOLDER/LEVEL-TIME.png" for number 1, "FOLDER/LEVEL-TIME-N.png" after, LEVEL the base
// name of `levelPath` without its extension ("level" when it has none). False when the
// result does not fit in `capacity`.
bool screenshotPath(const char* folder, const char* levelPath, const char* timeText, int32_t number,
                    char* out, size_t capacity);

// Writes `image` under the first name screenshotPath gives for numbers 1 to 999 that no file
// has yet, leaving the name in `out`. False with `out` naming the file that could not be
// written, or empty when no name was free.
bool saveNumberedPicture(const PixelImage& image, const char* folder, const char* levelPath,
                         const char* timeText, char* out, size_t capacity);

// Draws the current frame again, reads it back and saves it; prints the path on stdout.
void saveScreenshot(platform::WindowHandle window);
