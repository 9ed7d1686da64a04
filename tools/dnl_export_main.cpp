// dnl-export LEVEL.dnl OUT.glb [--scale S] [--no-shade] [--no-items]: loads a level file with
// the viewer's loader and writes what the viewer shows as one binary glTF 2.0 file. Exit 0
// on success, 1 with a one-line reason when the level is refused or the file cannot be
// written, 2 for a misused command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/program_options.h"
#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tools/gltf_export.h"

namespace {

// The whole text must be a number the export accepts.
std::string checkScale(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  const bool whole = end != text.c_str() && *end == '\0';
  return whole && exportScaleValid(value) ? "" : "a positive number up to 1e9 is needed";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Writes what the viewer shows of a level as one binary glTF 2.0 file.",
               "dnl-export");
  declareVersion(app, DUNMOOR_VERSION);
  ExportOptions options;
  std::string levelPath, outPath;
  bool noShade = false, noItems = false;
  app.add_option("LEVEL", levelPath, "The level file (.dnl)")->required();
  app.add_option("OUT", outPath, "The glTF file to write (.glb)")->required();
  app.add_option("--scale", options.scale, "Metres per world unit (default 1/1024)")
      ->check(CLI::Validator(checkScale, "SCALE", "scale"));
  app.add_flag("--no-shade", noShade, "Leave out the per-vertex shade");
  app.add_flag("--no-items", noItems, "Leave out the item nodes");
  const int parsed = parseProgramOptions(app, argc, argv);
  if (parsed != kParsedGoOn) return parsed;
  options.shade = !noShade;
  options.items = !noItems;

  const LoadFailure failure = loadLevelFile(levelPath.c_str());
  if (failure != LoadFailure::None) {
    fprintf(stderr, "dnl-export: %s: %s\n", levelPath.c_str(), loadFailureText(failure));
    return 1;
  }
  if (!exportLevelGlb(levelGeometry, options, outPath.c_str())) {
    fprintf(stderr, "dnl-export: %s: cannot write the glTF file\n", outPath.c_str());
    return 1;
  }
  return 0;
}
