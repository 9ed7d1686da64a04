// One texture page as an RGBA PNG through libpng's simplified writer, into memory sized by
// libpng's own upper bound, so that a single compression pass suffices.
#include "tools/page_png.h"

#include <png.h>

#include <cstring>

bool appendPagePng(const TexturePage& page, std::vector<uint8_t>& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = kTexturePageSide;
  image.height = kTexturePageSide;
  image.format = PNG_FORMAT_RGBA;
  const size_t start = out.size();
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  out.resize(start + size);
  const bool written =
      png_image_write_to_memory(&image, out.data() + start, &size, 0, page.texels, 0, nullptr) != 0;
  png_image_free(&image);
  out.resize(written ? start + size : start);
  return written;
}
