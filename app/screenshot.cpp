// The screenshot reads back a frame drawn again into the back buffer, which holds exactly what
// the last frame showed (nothing has moved since), so no front-buffer read is needed. The
// pixels go into one static buffer: nothing of the frame is allocated while the viewer runs.
#include "app/screenshot.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "common/png_image.h"
#include "common/shell_shared.h"
#include "render/frame.h"
#include "render/frame_capture.h"

namespace {

constexpr int32_t kMaxNumber = 999;

constexpr size_t kPathSize = 1024;

uint8_t framePixels[kScreenshotCapacity];
char folder[kPathSize];
char path[kPathSize];

bool fileExists(const char* name) {
  std::FILE* file = std::fopen(name, "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

void formatLocalTime(char* out, size_t capacity) {
  const std::time_t now = std::time(nullptr);
  std::tm local = {};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  if (std::strftime(out, capacity, "%Y%m%d-%H%M%S", &local) == 0) out[0] = '\0';
}

}  // namespace

bool screenshotPath(const char* folderPath, const char* levelPathText, const char* timeText,
                    int32_t number, char* out, size_t capacity) {
  const char* base = levelPathText;
  for (const char* c = levelPathText; *c != '\0'; ++c) {
    if (*c == '/' || *c == '\\') base = c + 1;
  }
  const char* dot = std::strrchr(base, '.');
  int baseLength = static_cast<int>(dot != nullptr ? dot - base : std::strlen(base));
  if (baseLength == 0) {
    base = "level";
    baseLength = 5;
  }
  char suffix[16] = "";
  if (number > 1) std::snprintf(suffix, sizeof suffix, "-%d", static_cast<int>(number));
  const int written = std::snprintf(out, capacity, "%s%c%.*s-%s%s.png", folderPath,
                                    kFolderSeparator, baseLength, base, timeText, suffix);
  return written > 0 && static_cast<size_t>(written) < capacity;
}

bool saveNumberedPicture(const PixelImage& image, const char* folderPath, const char* levelPathText,
                         const char* timeText, char* out, size_t capacity) {
  for (int32_t number = 1; number <= kMaxNumber; ++number) {
    if (!screenshotPath(folderPath, levelPathText, timeText, number, out, capacity)) break;
    if (writePngFile(image, out, PngFileMode::KeepExisting)) return true;
    if (!fileExists(out)) return false;
  }
  out[0] = '\0';
  return false;
}

void saveScreenshot(platform::WindowHandle window) {
  int32_t width = 0;
  int32_t height = 0;
  platform::getClientSize(window, &width, &height);
  renderFrame();
  if (!readFrameRgb(width, height, framePixels, sizeof framePixels)) {
    std::fprintf(stderr, "F12: the %dx%d frame could not be read for a screenshot\n",
                 static_cast<int>(width), static_cast<int>(height));
    return;
  }
  if (!platform::findPicturesFolder(folder, sizeof folder))
    std::snprintf(folder, sizeof folder, ".");
  char timeText[32];
  formatLocalTime(timeText, sizeof timeText);
  const PixelImage image = {framePixels, width, height, 3, true};
  if (saveNumberedPicture(image, folder, levelPath, timeText, path, sizeof path)) {
    std::printf("%s\n", path);
    std::fflush(stdout);
  } else if (path[0] != '\0') {
    std::fprintf(stderr, "F12: cannot write the screenshot %s\n", path);
  } else {
    std::fprintf(stderr, "F12: no free screenshot name in %s\n", folder);
  }
}
