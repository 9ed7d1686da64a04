// Encodes with stb_image_write and writes through a temporary file in the target's folder,
// so that a reader (a file manager, a thumbnail cache) never sees half a picture.
#include "common/png_image.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// stb's encoder takes its working buffers (filtered rows, compressed stream, match table)
// from a bump arena in static storage, emptied at every encoding, so that a picture up to
// about 1920 x 1080 (the viewer's screenshot) is encoded without touching the heap; larger
// pictures (the tools') spill over to the C heap.
constexpr size_t kArenaSize = size_t{32} << 20;
constexpr size_t kArenaAlignment = 16;
alignas(kArenaAlignment) unsigned char arena[kArenaSize];
size_t arenaUsed = 0;
unsigned char* lastArenaBlock = nullptr;

bool inArena(const void* block) {
  const auto* byte = static_cast<const unsigned char*>(block);
  return byte >= arena && byte < arena + kArenaSize;
}

// `size` rounded up to the arena's alignment; 0 when that overflows.
size_t alignedSize(size_t size) {
  return (size + kArenaAlignment - 1) & ~(kArenaAlignment - 1);
}

void* encoderAllocate(size_t size) {
  const size_t rounded = alignedSize(size);
  if (rounded < size || rounded > kArenaSize - arenaUsed) return std::malloc(size);
  lastArenaBlock = arena + arenaUsed;
  arenaUsed += rounded;
  return lastArenaBlock;
}

void* encoderReallocate(void* block, size_t oldSize, size_t newSize) {
  if (block == nullptr) return encoderAllocate(newSize);
  if (!inArena(block)) return std::realloc(block, newSize);
  if (block == lastArenaBlock) {  // the newest block grows in place while there is room
    arenaUsed = static_cast<size_t>(lastArenaBlock - arena);
    const size_t rounded = alignedSize(newSize);
    if (rounded >= newSize && rounded <= kArenaSize - arenaUsed) {
      arenaUsed += rounded;
      return block;
    }
    arenaUsed += alignedSize(oldSize);
  }
  void* moved = encoderAllocate(newSize);
  if (moved != nullptr) std::memcpy(moved, block, oldSize < newSize ? oldSize : newSize);
  return moved;
}

// Arena blocks go with the next encoding.
void encoderFree(void* block) {
  if (!inArena(block)) std::free(block);
}

}  // namespace

#define STBIW_MALLOC(size) encoderAllocate(size)
#define STBIW_REALLOC_SIZED(block, oldSize, newSize) encoderReallocate(block, oldSize, newSize)
#define STBIW_FREE(block) encoderFree(block)
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

struct SinkCall {
  PngSink sink;
  void* context;
};

void forward(void* context, void* bytes, int size) {
  const auto* call = static_cast<const SinkCall*>(context);
  if (size > 0) call->sink(call->context, bytes, static_cast<size_t>(size));
}

struct FileSink {
  std::FILE* file;
  bool failed;
};

void writeToFile(void* context, const void* bytes, size_t size) {
  auto* sink = static_cast<FileSink*>(context);
  if (!sink->failed && std::fwrite(bytes, 1, size, sink->file) != size) sink->failed = true;
}

// Creates a new, empty temporary file beside `path` and opens it for writing; the name is
// left in `tempPath`.
std::FILE* openTemporaryBeside(const char* path, std::string& tempPath) {
  tempPath = std::string(path) + ".tmp-XXXXXX";
#ifdef _WIN32
  if (_mktemp_s(tempPath.data(), tempPath.size() + 1) != 0) return nullptr;
  const int descriptor =
      _open(tempPath.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) return nullptr;
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) _close(descriptor);
#else
  const int descriptor = mkstemp(tempPath.data());
  if (descriptor < 0) return nullptr;
  fchmod(descriptor, 0644);  // a picture others may read, as a plain new file would be
  std::FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) close(descriptor);
#endif
  return file;
}

// Puts the finished temporary file in place; false leaves the target as it was.
bool moveIntoPlace(const std::string& tempPath, const char* path, PngFileMode mode) {
  std::error_code error;
  if (mode == PngFileMode::Replace) {
    std::filesystem::rename(tempPath, path, error);
    return !error;
  }
  // A hard link is made only where nothing is at the path yet, so no existing file is lost
  // even to a race; a file system without links falls back to a check and a rename.
  std::filesystem::create_hard_link(tempPath, path, error);
  if (!error) {
    std::filesystem::remove(tempPath, error);
    return true;
  }
  if (std::filesystem::exists(path, error) || error) return false;
  std::filesystem::rename(tempPath, path, error);
  return !error;
}

// Fills the empty file at `path` where it stands, so that whoever holds it open reads the
// picture; on failure it is emptied again, as it was.
bool fillEmptyFile(const PixelImage& image, const char* path) {
  std::FILE* file = std::fopen(path, "r+b");
  if (file == nullptr) return false;
  FileSink sink = {file, false};
  const bool encoded = encodePng(image, writeToFile, &sink);
  const bool closed = std::fclose(file) == 0;
  if (encoded && !sink.failed && closed) return true;
  std::error_code error;
  std::filesystem::resize_file(path, 0, error);
  return false;
}

bool isEmptyFile(const char* path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) &&
         std::filesystem::file_size(path, error) == 0 && !error;
}

}  // namespace

bool encodePng(const PixelImage& image, PngSink sink, void* context) {
  const bool sizeValid = image.width >= 1 && image.width <= kMaxPngSide && image.height >= 1 &&
                         image.height <= kMaxPngSide;
  const bool channelsValid = image.channels == 3 || image.channels == 4;
  if (!sizeValid || !channelsValid || image.pixels == nullptr || sink == nullptr) return false;
  stbi_flip_vertically_on_write(image.bottomUp ? 1 : 0);
  arenaUsed = 0;
  lastArenaBlock = nullptr;
  SinkCall call = {sink, context};
  return stbi_write_png_to_func(forward, &call, image.width, image.height, image.channels,
                                image.pixels, image.width * image.channels) != 0;
}

bool writePngFile(const PixelImage& image, const char* path, PngFileMode mode) {
  if (path == nullptr || path[0] == '\0') return false;
  if (mode == PngFileMode::Replace && isEmptyFile(path)) return fillEmptyFile(image, path);
  std::string tempPath;
  std::FILE* file = openTemporaryBeside(path, tempPath);
  if (file == nullptr) return false;
  FileSink sink = {file, false};
  const bool encoded = encodePng(image, writeToFile, &sink);
  const bool closed = std::fclose(file) == 0;
  if (encoded && !sink.failed && closed && moveIntoPlace(tempPath, path, mode)) return true;
  std::error_code error;
  std::filesystem::remove(tempPath, error);
  return false;
}
