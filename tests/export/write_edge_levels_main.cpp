// export-edge-levels DIR: writes the sample level in both layouts and the export's edge
// levels into DIR as .dnl files, for the validator run over their exports.
#include <cstdio>
#include <string>

#include "tools/edge_levels.h"
#include "tools/sample_level.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: export-edge-levels DIR\n");
    return 1;
  }
  const std::string dir = argv[1];
  const std::pair<const char*, DnlLevel> levels[] = {
      {"sample-older", buildSampleLevel(LevelLayout::Older)},
      {"sample-newer", buildSampleLevel(LevelLayout::Newer)},
      {"empty", emptyEdgeLevel()},
      {"pages-only", pagesOnlyEdgeLevel()},
      {"untextured", untexturedEdgeLevel()},
      {"known", knownEdgeLevel()},
      {"capacity", capacityEdgeLevel()},
  };
  for (const auto& [name, level] : levels) {
    const std::string path = dir + "/" + name + ".dnl";
    if (!writeDnlFile(path.c_str(), level)) {
      fprintf(stderr, "export-edge-levels: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
