// Reads one level file of either layout front to back into the level store, converting
// texture pages, making face indices global, giving faces their texture pages and grouping
// them by page, and taking the items and start pose. Answers only yes or no; the lower
// entries also tell which check failed, for tools that explain a refusal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

enum class LevelLayout : int32_t { Older, Newer };

// The checks a load can fail, in the order in which they can happen.
enum class LoadFailure : int32_t {
  None,
  CannotOpen,
  UnknownVersion,
  TooManyTexturePages,
  TooManyVertices,
  TooManyQuads,
  TooManyTriangles,
  TooManyObjectTextures,
  TooManyItems,
};

// What the last load found out beyond the store itself.
struct LoadReport {
  LoadFailure failure;
  bool layoutKnown;            // the last load accepted its version word
  LevelLayout layout;          // the layout that version word selected
  int32_t vertexCount;         // vertices stored by the last load
  int32_t quadsStored;         // quad and triangle records written by the last load, also
  int32_t trianglesStored;     // when it failed in the rooms (the counts then stay as they were)
  int32_t objectTextureCount;  // object-texture count as read (zero or less: none)
  // Bytes the walk read or skipped beyond the file's last byte (each read as -1): zero for
  // a whole file, more for one that ends before its last section, such as a half-written one.
  uint64_t bytesPastEnd;
};

// True when the whole file has been walked and every limit held.
bool loadLevel(const char* path);
// The same walk over `size` bytes in memory, with the same byte semantics.
bool loadLevelFromMemory(const uint8_t* data, size_t size);

LoadFailure loadLevelFile(const char* path);
// The file walk over a stream opened for reading, from its current position; the caller
// closes it. Null: CannotOpen.
LoadFailure loadLevelStream(FILE* file);
LoadFailure loadLevelBytes(const uint8_t* data, size_t size);

const LoadReport& lastLoadReport();
// A short English reason for a failure, "none" for LoadFailure::None.
const char* loadFailureText(LoadFailure failure);
const char* levelLayoutName(LevelLayout layout);
