// A level's picture drawn with the viewer's own rendering code into the current off-screen
// context: the view settings and pose asked for, render setup with the scene list, the fog
// and cull switches, one frame, and the read-back. dnl-render and its benchmark call it.
#pragma once

#include <cstdint>
#include <vector>

#include "camera/camera_pose.h"
#include "platform/platform.h"

inline constexpr int32_t kMaxPictureSide = 8192;

struct PictureOptions {
  int32_t width = 640;
  int32_t height = 480;
  bool posed = false;  // false: the level's start pose
  CameraPose pose = {};
  bool labels = false;
  bool shade = false;
  bool fog = false;
  bool cull = false;
  float farPlane = 0.0f;  // 0: the viewer's default
};

// The largest 4:3 picture within side x side (256 gives 256 x 192), at least one pixel high.
void thumbnailSize(int32_t side, int32_t* width, int32_t* height);

// Reads "WxH" with each side 1 to kMaxPictureSide; false (nothing written) otherwise.
bool parsePictureSize(const char* text, int32_t* width, int32_t* height);

// Sets the view settings and the camera as the options say and prepares the current
// context of `dc` as the viewer prepares its own: glyph lists (with labels), textures, scene
// list, projection, fog and culling. The level store must hold the level. False when the
// glyph lists cannot be built.
bool prepareScene(platform::DeviceContextHandle dc, const PictureOptions& options);

// Draws the viewer's frame without status line or help screen and reads it back as RGB
// rows, bottom row first; false when the read-back fails.
bool drawPicture(const PictureOptions& options, std::vector<uint8_t>& rgb);
