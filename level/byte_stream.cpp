// The byte source behind the loader: a window of bytes at hand, refilled from the file in
// large blocks. Skips move the cursor, seek the file, or mark the stream ended when they
// reach past the last byte, so a claimed size never costs more than the bytes present.
#include "level/byte_stream.h"

#include <sys/types.h>

namespace {

// File offsets stay 64-bit everywhere: Windows' off_t and long are 32 bits wide.
#if defined(_WIN32)
using FileOffset = int64_t;
FileOffset tellFile(FILE* file) {
  return _ftelli64(file);
}
int seekFile(FILE* file, FileOffset offset, int origin) {
  return _fseeki64(file, offset, origin);
}
#else
using FileOffset = off_t;
FileOffset tellFile(FILE* file) {
  return ftello(file);
}
int seekFile(FILE* file, FileOffset offset, int origin) {
  return fseeko(file, offset, origin);
}
#endif

}  // namespace

void openFileStream(ByteStream& stream, FILE* file) {
  stream.file = file;
  stream.window = stream.buffer;
  stream.windowSize = 0;
  stream.cursor = 0;
  stream.ended = file == nullptr;
  stream.bytesPastEnd = 0;
}

void openMemoryStream(ByteStream& stream, const uint8_t* data, size_t size) {
  stream.file = nullptr;
  stream.window = data;
  stream.windowSize = data == nullptr ? 0 : size;
  stream.cursor = 0;
  stream.ended = false;
  stream.bytesPastEnd = 0;
}

namespace {

// The next byte after refilling the window, or -1 at the end; counts nothing.
int32_t refill(ByteStream& stream) {
  if (stream.file == nullptr || stream.ended) {
    stream.ended = true;
    return -1;
  }
  const size_t got = fread(stream.buffer, 1, kByteStreamBufferSize, stream.file);
  stream.window = stream.buffer;
  stream.windowSize = got;
  stream.cursor = 0;
  if (got == 0) {
    stream.ended = true;  // end of file or a read error: both read as -1 from here on
    return -1;
  }
  stream.cursor = 1;
  return stream.buffer[0];
}

}  // namespace

int32_t refillByteStream(ByteStream& stream) {
  const int32_t byte = refill(stream);
  if (byte < 0) notePastEnd(stream, 1);
  return byte;
}

bool byteStreamEnded(ByteStream& stream) {
  if (stream.cursor < stream.windowSize) return false;
  if (refill(stream) < 0) return true;  // a look, not a read: nothing counted
  stream.cursor = 0;                    // put the byte just taken back
  return false;
}

// Reads and drops up to `count` bytes; used where the file cannot seek.
static void drainFile(ByteStream& stream, uint64_t count) {
  while (count > 0 && !stream.ended) {
    const size_t want =
        count < kByteStreamBufferSize ? static_cast<size_t>(count) : kByteStreamBufferSize;
    const size_t got = fread(stream.buffer, 1, want, stream.file);
    if (got < want) stream.ended = true;
    count -= got;
  }
  notePastEnd(stream, count);
}

void skipBytes(ByteStream& stream, uint64_t count) {
  const size_t atHand = stream.windowSize - stream.cursor;
  if (count <= atHand) {
    stream.cursor += static_cast<size_t>(count);
    return;
  }
  count -= atHand;
  stream.cursor = stream.windowSize;
  if (stream.file == nullptr || stream.ended) {
    stream.ended = true;
    notePastEnd(stream, count);
    return;
  }
  // Seek only within the file: a skip that reaches past its end ends the stream instead.
  const FileOffset here = tellFile(stream.file);
  if (here >= 0 && seekFile(stream.file, 0, SEEK_END) == 0) {
    const FileOffset end = tellFile(stream.file);
    if (end >= here && count <= static_cast<uint64_t>(end - here)) {
      if (seekFile(stream.file, here + static_cast<FileOffset>(count), SEEK_SET) == 0) return;
    }
    const uint64_t left = end >= here ? static_cast<uint64_t>(end - here) : 0;
    stream.ended = true;
    notePastEnd(stream, count > left ? count - left : 0);
    return;
  }
  drainFile(stream, count);
}
