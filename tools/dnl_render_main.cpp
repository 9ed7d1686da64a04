// dnl-render LEVEL.dnl OUT.png [--size WxH | --thumbnail N] [--pose X,Y,Z,H,P,B] [--labels]
// [--shade] [--fog] [--cull] [--far N]: draws a level with the viewer's rendering code into
// an off-screen context and writes the picture as a PNG. Exit 0 on success, 1 for a refused
// level or an unwritable output, 2 for misuse.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "common/png_image.h"
#include "common/program_options.h"
#include "level/level_loader.h"
#include "tools/picture_render.h"

#ifndef DUNMOOR_VERSION
#define DUNMOOR_VERSION "unknown"
#endif

namespace {

struct Arguments {
  std::string level;
  std::string output;
  std::string size;
  int32_t thumbnail = 0;
  std::string pose;
  float farPlane = 0.0f;
  PictureOptions picture;
};

// Declares the options; the checks make every bad value misuse before anything is read.
void declareOptions(CLI::App& app, Arguments& args) {
  declareVersion(app, DUNMOOR_VERSION);
  // "/tmp/level.dnl" is a path on every system (Wine's included), never a Windows-style option.
  app.allow_windows_style_options(false);
  app.add_option("LEVEL", args.level, "The level file")->required();
  app.add_option("OUT", args.output, "The PNG picture to write")->required();
  auto* size = app.add_option("--size", args.size, "Picture size, 1 to 8192 each (640x480)")
                   ->check(
                       [](const std::string& text) {
                         int32_t w = 0;
                         int32_t h = 0;
                         return parsePictureSize(text.c_str(), &w, &h)
                                    ? std::string()
                                    : "not WxH with sides from 1 to 8192: " + text;
                       },
                       "WxH");
  app.add_option("--thumbnail", args.thumbnail, "The largest 4:3 picture within N x N")
      ->check(CLI::Range(1, kMaxPictureSide))
      ->excludes(size);
  app.add_option("--pose", args.pose, "Camera pose: X,Y,Z in world units, H,P,B in degrees")
      ->check(
          [](const std::string& text) {
            CameraPose pose;
            return parseCameraPose(text.c_str(), &pose) ? std::string()
                                                        : "not six numbers X,Y,Z,H,P,B: " + text;
          },
          "X,Y,Z,H,P,B");
  app.add_flag("--labels", args.picture.labels, "Draw the item labels");
  app.add_flag("--shade", args.picture.shade, "Per-vertex shade on (key 1)");
  app.add_flag("--fog", args.picture.fog, "Fog on (key 2)");
  app.add_flag("--cull", args.picture.cull, "Face culling on (key 3)");
  app.add_option("--far", args.farPlane, "The far plane in world units (25000)")
      ->check(CLI::Range(1.0f, 1.0e9f));
}

void completePicture(Arguments& args) {
  PictureOptions& picture = args.picture;
  if (!args.size.empty()) parsePictureSize(args.size.c_str(), &picture.width, &picture.height);
  if (args.thumbnail > 0) thumbnailSize(args.thumbnail, &picture.width, &picture.height);
  picture.posed = !args.pose.empty() && parseCameraPose(args.pose.c_str(), &picture.pose);
  picture.farPlane = args.farPlane;
}

int render(const Arguments& args) {
  const PictureOptions& picture = args.picture;
  const LoadFailure failure = loadLevelFile(args.level.c_str());
  if (failure != LoadFailure::None) {
    std::fprintf(stderr, "dnl-render: %s: %s\n", args.level.c_str(), loadFailureText(failure));
    return 1;
  }
  platform::DeviceContextHandle dc =
      platform::createOffscreenContext(picture.width, picture.height);
  if (dc == nullptr) {
    std::fprintf(stderr, "dnl-render: no off-screen OpenGL context of %dx%d\n", picture.width,
                 picture.height);
    return 1;
  }
  std::vector<uint8_t> rgb;
  const bool prepared = prepareScene(dc, picture);
  const bool drawn = prepared && drawPicture(picture, rgb);
  platform::destroyOffscreenContext(dc);
  if (!drawn) {
    std::fprintf(stderr, "dnl-render: %s\n",
                 prepared ? "the picture could not be read back" : "no font for the labels");
    return 1;
  }
  const PixelImage image = {rgb.data(), picture.width, picture.height, 3, true};
  if (!writePngFile(image, args.output.c_str(), PngFileMode::Replace)) {
    std::fprintf(stderr, "dnl-render: %s: cannot write the picture\n", args.output.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Draws a level file's picture as the viewer shows it and writes it as a PNG.",
               "dnl-render");
  Arguments args;
  declareOptions(app, args);
  const int parsed = parseProgramOptions(app, argc, argv);
  if (parsed != kParsedGoOn) return parsed;
  completePicture(args);
  return render(args);
}
