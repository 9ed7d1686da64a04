// PNG pictures: what is encoded decodes to the same pixels the right way up, and a file is
// written whole or not at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/png_image.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

namespace fs = std::filesystem;

// Three rows of two RGB pixels, each byte distinct, stored from the bottom row up.
const std::vector<uint8_t> kBottomUpRows = {10, 11, 12, 13, 14, 15, 20, 21, 22,
                                            23, 24, 25, 30, 31, 32, 33, 34, 35};

PixelImage bottomUpImage() {
  return {kBottomUpRows.data(), 2, 3, 3, true};
}

std::vector<uint8_t> decode(const std::vector<uint8_t>& png, int* width, int* height) {
  int channels = 0;
  stbi_uc* pixels =
      stbi_load_from_memory(png.data(), static_cast<int>(png.size()), width, height, &channels, 3);
  std::vector<uint8_t> rows;
  if (pixels != nullptr) rows.assign(pixels, pixels + 3 * *width * *height);
  stbi_image_free(pixels);
  return rows;
}

void appendBytes(void* context, const void* bytes, size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* first = static_cast<const uint8_t*>(bytes);
  out->insert(out->end(), first, first + size);
}

class PngFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("png-test-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  size_t entries() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }
  fs::path folder;
};

}  // namespace

TEST(PngEncoding, BottomUpRowsDecodeTopRowFirst) {
  std::vector<uint8_t> png;
  ASSERT_TRUE(encodePng(bottomUpImage(), appendBytes, &png)) << "a 2 x 3 picture encodes";
  int width = 0;
  int height = 0;
  const std::vector<uint8_t> rows = decode(png, &width, &height);
  ASSERT_EQ(width, 2) << "decoded width";
  ASSERT_EQ(height, 3) << "decoded height";
  EXPECT_EQ(rows[0], 30) << "the decoded first row is the stored last row";
  EXPECT_EQ(rows[17], 15) << "the decoded last row is the stored first row";
}

TEST(PngEncoding, SizesAndChannelsOutsideTheLimitsAreRefused) {
  const uint8_t pixel[4] = {};
  std::vector<uint8_t> png;
  for (const PixelImage& image :
       {PixelImage{pixel, 0, 1, 3, false}, PixelImage{pixel, 1, -1, 3, false},
        PixelImage{pixel, kMaxPngSide + 1, 1, 3, false}, PixelImage{pixel, 1, 1, 2, false},
        PixelImage{nullptr, 1, 1, 3, false}}) {
    EXPECT_FALSE(encodePng(image, appendBytes, &png))
        << image.width << " x " << image.height << " x " << image.channels << " is refused";
  }
  EXPECT_TRUE(png.empty()) << "nothing is encoded for a refused image";
}

TEST_F(PngFile, ReplaceOverwritesAndLeavesOnlyTheTarget) {
  const fs::path target = folder / "out.png";
  std::ofstream(target) << "old";
  ASSERT_TRUE(writePngFile(bottomUpImage(), target.string().c_str(), PngFileMode::Replace))
      << "written over the old file";
  EXPECT_GT(fs::file_size(target), 3u) << "the old file is replaced by the picture";
  EXPECT_EQ(entries(), 1u) << "no temporary file is left beside it";
}

TEST_F(PngFile, ReplaceFillsAnEmptyFileThatAReaderHoldsOpen) {
  const fs::path target = folder / "made-by-the-caller.png";
  std::ofstream(target).close();
  std::ifstream reader(target, std::ios::binary);
  ASSERT_TRUE(writePngFile(bottomUpImage(), target.string().c_str(), PngFileMode::Replace))
      << "the empty file is written";
  const std::vector<uint8_t> png((std::istreambuf_iterator<char>(reader)),
                                 std::istreambuf_iterator<char>());
  int width = 0;
  int height = 0;
  decode(png, &width, &height);
  EXPECT_EQ(width, 2) << "the handle held open reads the picture";
  EXPECT_EQ(entries(), 1u) << "no temporary file is left beside it";
}

TEST_F(PngFile, KeepExistingNeverTouchesAnExistingFile) {
  const fs::path target = folder / "out.png";
  std::ofstream(target) << "old";
  EXPECT_FALSE(writePngFile(bottomUpImage(), target.string().c_str(), PngFileMode::KeepExisting))
      << "an existing file makes the write fail";
  EXPECT_EQ(fs::file_size(target), 3u) << "the existing file is unchanged";
  EXPECT_EQ(entries(), 1u) << "no temporary file is left beside it";
}

TEST_F(PngFile, AFailedWriteLeavesNothing) {
  const fs::path missingFolder = folder / "missing" / "out.png";
  EXPECT_FALSE(writePngFile(bottomUpImage(), missingFolder.string().c_str(), PngFileMode::Replace))
      << "a folder that does not exist cannot take the file";
  const fs::path target = folder / "bad.png";
  const PixelImage refused = {kBottomUpRows.data(), 0, 3, 3, true};
  EXPECT_FALSE(writePngFile(refused, target.string().c_str(), PngFileMode::Replace))
      << "a refused image is not written";
  EXPECT_EQ(entries(), 0u) << "neither a partial nor a temporary file is left";
}
