// A sequential little-endian byte source over a file or a block of memory, with the three
// readers the loader uses. Past the end (or after a read error) every byte reads as -1.
// Skipping costs time in proportion to the bytes that exist, never to the count asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

inline constexpr size_t kByteStreamBufferSize = 65536;

struct ByteStream {
  FILE* file;             // null for a memory source
  const uint8_t* window;  // bytes at hand: the memory block or the file buffer
  size_t windowSize;
  size_t cursor;          // next byte within the window
  bool ended;             // nothing more can be read; every read yields -1
  uint64_t bytesPastEnd;  // bytes read or skipped beyond the last one, each read as -1
  uint8_t buffer[kByteStreamBufferSize];
};

// Starts reading an open file from its current position; the stream does not own it.
void openFileStream(ByteStream& stream, FILE* file);
// Starts reading `size` bytes at `data`, which must outlive the stream.
void openMemoryStream(ByteStream& stream, const uint8_t* data, size_t size);

// Refills the window from the file; the next byte, or -1 at the end.
int32_t refillByteStream(ByteStream& stream);

// The next byte, 0 to 255; -1 at the end of the stream or on a read error.
inline int32_t readU8(ByteStream& stream) {
  if (stream.cursor < stream.windowSize) return stream.window[stream.cursor++];
  return refillByteStream(stream);
}

// Second byte unmasked: b1 * 256 + b0, negative when the second byte lies past the end.
inline int32_t readU16(ByteStream& stream) {
  if (stream.windowSize - stream.cursor >= 2) {
    const uint8_t* at = stream.window + stream.cursor;
    stream.cursor += 2;
    return at[0] | at[1] << 8;
  }
  const int32_t b0 = readU8(stream) & 0xFF;
  const int32_t b1 = readU8(stream);
  return b1 * 256 + b0;
}

// High half unmasked, shifted up by 16, the low half's 16 bits below it.
inline int32_t readU32(ByteStream& stream) {
  if (stream.windowSize - stream.cursor >= 4) {
    const uint8_t* at = stream.window + stream.cursor;
    stream.cursor += 4;
    return static_cast<int32_t>(at[0] | at[1] << 8 | at[2] << 16 | uint32_t{at[3]} << 24);
  }
  const uint32_t lo = static_cast<uint32_t>(readU16(stream)) & 0xFFFFu;
  const uint32_t hi = static_cast<uint32_t>(readU16(stream));
  return static_cast<int32_t>((hi << 16) | lo);
}

// The little-endian 16-bit word at `at`.
inline int32_t wordAt(const uint8_t* at) {
  return at[0] | at[1] << 8;
}

// Counts `count` bytes taken past the end by a caller that fills them in without reading.
inline void notePastEnd(ByteStream& stream, uint64_t count) {
  stream.bytesPastEnd += count;
}

// True when no byte is left to read; refills an empty window from the file to find out.
bool byteStreamEnded(ByteStream& stream);

// Discards `count` bytes, exactly as `count` calls of readU8 would.
void skipBytes(ByteStream& stream, uint64_t count);
