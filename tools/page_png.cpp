// One texture page as an RGBA PNG through the project's PNG encoder, the same code on every
// system, appended to a byte vector.
#include "tools/page_png.h"

#include "common/png_image.h"

namespace {

void appendBytes(void* context, const void* bytes, size_t size) {
  auto& out = *static_cast<std::vector<uint8_t>*>(context);
  const auto* first = static_cast<const uint8_t*>(bytes);
  out.insert(out.end(), first, first + size);
}

}  // namespace

bool appendPagePng(const TexturePage& page, std::vector<uint8_t>& out) {
  const PixelImage image{page.texels, kTexturePageSide, kTexturePageSide, 4, false};
  const size_t start = out.size();
  if (encodePng(image, appendBytes, &out)) return true;
  out.resize(start);
  return false;
}
