// libFuzzer target: any bytes that load as a level are exported to a .glb in memory, with the
// options taken from the input's last byte, and read back with tinygltf's reader. A level that
// loads but does not export, or an export that does not read back cleanly, is a finding; the
// sanitizers catch reads and writes outside the store and the model.
#include <tiny_gltf.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tools/gltf_export.h"
#include "tools/gltf_read_back.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (loadLevelBytes(data, size) != LoadFailure::None) return 0;
  ExportOptions options;
  const uint8_t last = size > 0 ? data[size - 1] : 0;
  options.shade = (last & 1) == 0;
  options.items = (last & 2) == 0;
  std::string glb;
  if (!buildLevelGlb(levelGeometry, options, glb)) __builtin_trap();
  tinygltf::Model model;
  std::string error, warning;
  const bool read = readGlb(glb, &model, &error, &warning);
  if (!read || !error.empty() || !warning.empty()) __builtin_trap();
  return 0;
}
