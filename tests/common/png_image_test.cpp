// PNG pictures: sizes outside the limits are refused, and a file a reader holds open is filled
// in place with a picture that decodes. Rows the right way up are seen in the end-to-end
// comparison of an F12 picture with the screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "common/png_image.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image.h>

namespace fs = std::filesystem;

// Three rows of two RGB pixels, stored from the bottom row up.
const uint8_t kBottomUpRows[18] = {10, 11, 12, 13, 14, 15, 20, 21, 22,
                                   23, 24, 25, 30, 31, 32, 33, 34, 35};
const PixelImage kImage = {kBottomUpRows, 2, 3, 3, true};

static void appendBytes(void* context, const void* bytes, size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  out->insert(out->end(), static_cast<const uint8_t*>(bytes),
              static_cast<const uint8_t*>(bytes) + size);
}

// A new empty folder for one test.
static fs::path freshFolder(const char* name) {
  const fs::path folder = fs::temp_directory_path() / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

static size_t entries(const fs::path& folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(PngEncoding, SizesAndChannelsOutsideTheLimitsAreRefused) {
  std::vector<uint8_t> png;
  for (const PixelImage& image :
       {PixelImage{kBottomUpRows, 0, 1, 3, false}, PixelImage{kBottomUpRows, 1, -1, 3, false},
        PixelImage{kBottomUpRows, kMaxPngSide + 1, 1, 3, false},
        PixelImage{kBottomUpRows, 1, 1, 2, false}, PixelImage{nullptr, 1, 1, 3, false}}) {
    EXPECT_FALSE(encodePng(image, appendBytes, &png))
        << image.width << " x " << image.height << " x " << image.channels << " is refused";
  }
}

TEST(PngFile, ReplaceFillsAnEmptyFileThatAReaderHoldsOpen) {
  const fs::path folder = freshFolder("png-test-held");
  const fs::path target = folder / "made-by-the-caller.png";
  std::ofstream(target).close();
  std::ifstream reader(target, std::ios::binary);
  ASSERT_TRUE(writePngFile(kImage, target.string().c_str(), PngFileMode::Replace))
      << "the empty file is written";
  const std::vector<uint8_t> png((std::istreambuf_iterator<char>(reader)), {});
  int width = 0, height = 0, channels = 0;
  stbi_uc* rows = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height,
                                        &channels, 3);
  EXPECT_NE(rows, nullptr) << "the handle held open reads the picture";
  stbi_image_free(rows);
  EXPECT_EQ(entries(folder), 1u) << "no temporary file is left beside it";
}
