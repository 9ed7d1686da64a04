// Writes what the viewer shows of the level store as one binary glTF 2.0 file (.glb): the
// drawn faces as one primitive per texture page, the pages as embedded PNG images, the items
// as named nodes and the start pose as a camera. The world's y grows downward; the export
// turns it half a turn about the x axis (x, y, z) -> (x, -y, -z), a rotation and not a
// mirror, so up is up and every face keeps the side it shows.
#pragma once

#include <cstdint>
#include <string>

#include "level/level_geometry.h"

struct ExportOptions {
  double scale = 1.0 / 1024.0;  // glTF units (metres) per world unit
  bool shade = true;            // per-vertex shade as vertex colours
  bool items = true;            // one node per item
};

// The viewer's window shape at start.
inline constexpr double kExportAspectRatio = 640.0 / 480.0;

// True for a scale the export accepts: positive, normal and small enough that every world
// position stays finite.
bool exportScaleValid(double scale);

// The whole .glb file of `level` in `out`; false when a page cannot be encoded or the
// options are out of range.
bool buildLevelGlb(const LevelGeometry& level, const ExportOptions& options, std::string& out);

// buildLevelGlb, written to `path`; false when building or writing fails.
bool exportLevelGlb(const LevelGeometry& level, const ExportOptions& options, const char* path);
