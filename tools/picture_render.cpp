// The viewer's calls in the viewer's order, with the settings a picture asks for instead of
// keys pressed: setupRendering, applyFogSetting, applyCullSetting, a camera reset, renderFrame.
#include "tools/picture_render.h"

#include <cstdio>

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "platform/platform.h"
#include "render/font_lists.h"
#include "render/frame.h"
#include "render/frame_capture.h"
#include "render/gl_switches.h"
#include "render/render_setup.h"

void thumbnailSize(int32_t side, int32_t* width, int32_t* height) {
  // Width-bound (4 * side / 4 x 3 * side / 4): a 4:3 picture never fits taller.
  *width = side;
  *height = side * 3 / 4 > 0 ? side * 3 / 4 : 1;
}

bool parsePictureSize(const char* text, int32_t* width, int32_t* height) {
  int w = 0;
  int h = 0;
  char rest = 0;
  if (std::sscanf(text, "%5dx%5d%c", &w, &h, &rest) != 2) return false;
  if (w < 1 || w > kMaxPictureSide || h < 1 || h > kMaxPictureSide) return false;
  *width = w;
  *height = h;
  return true;
}

namespace {

// The glyphs the viewer draws at this height: the 480-line screen's own at 480, otherwise
// those its window of that height builds.
bool buildLabelGlyphs(platform::DeviceContextHandle dc, int32_t height) {
  if (height == 480) return platform::buildGlyphLists(dc, 0, kGlyphCodeCount, kFontListBase);
  return platform::buildGlyphListsAtHeight(dc, 0, kGlyphCodeCount, kFontListBase,
                                           overlayGlyphHeight(height));
}

}  // namespace

bool prepareScene(platform::DeviceContextHandle dc, const PictureOptions& options) {
  viewSettings = kDefaultViewSettings;
  viewSettings.showStatus = 0;
  viewSettings.showHelp = 0;
  viewSettings.showLabels = options.labels ? 1 : 0;
  viewSettings.lightingOn = options.shade ? 1 : 0;
  viewSettings.fogOn = options.fog ? 1 : 0;
  viewSettings.cullOn = options.cull ? 1 : 0;
  if (options.farPlane > 0.0f) viewSettings.farPlane = options.farPlane;
  if (options.labels && !buildLabelGlyphs(dc, options.height)) return false;
  setupRendering(options.width, options.height);
  applyFogSetting();
  applyCullSetting();
  setResetPose(options.posed ? &options.pose : nullptr);
  camera.resetPending = 1;
  moveCamera(CameraOp::Roll, 0.0f);
  return true;
}

bool drawPicture(const PictureOptions& options, std::vector<uint8_t>& rgb) {
  renderFrame();
  rgb.resize(3u * static_cast<size_t>(options.width) * static_cast<size_t>(options.height));
  return readFrameRgb(options.width, options.height, rgb.data(), rgb.size());
}
