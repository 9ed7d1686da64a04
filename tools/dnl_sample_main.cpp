// dnl-sample OUT.dnl [--layout older|newer] [--edge NAME]: writes the demonstration level, or
// with --edge one of the edge levels (test data for the tools and the export). Exit 1 when
// the file cannot be written, 2 for a misused command line.
#include <cstdio>
#include <string>
#include <vector>

#include "common/program_options.h"
#include "tools/edge_levels.h"
#include "tools/sample_level.h"

namespace {

struct EdgeLevel {
  const char* name;
  DnlLevel (*build)();
};

const EdgeLevel kEdgeLevels[] = {
    {"empty", emptyEdgeLevel},           {"pages-only", pagesOnlyEdgeLevel},
    {"untextured", untexturedEdgeLevel}, {"known", knownEdgeLevel},
    {"capacity", capacityEdgeLevel},     {"too-many-items", tooManyItemsEdgeLevel},
};

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Writes the demonstration level, or one of the edge levels.", "dnl-sample");
  declareVersion(app, DUNMOOR_VERSION);
  std::string out, layoutName = "older", edgeName;
  std::vector<std::string> edgeNames;
  for (const EdgeLevel& level : kEdgeLevels) edgeNames.push_back(level.name);
  app.add_option("OUT", out, "The level file to write")->required();
  app.add_option("--layout", layoutName, "The file layout of the demonstration level")
      ->check(CLI::IsMember({"older", "newer"}));
  app.add_option("--edge", edgeName, "Write this edge level instead")
      ->check(CLI::IsMember(edgeNames));
  const int parsed = parseProgramOptions(app, argc, argv);
  if (parsed != kParsedGoOn) return parsed;

  DnlLevel level =
      buildSampleLevel(layoutName == "newer" ? LevelLayout::Newer : LevelLayout::Older);
  for (const EdgeLevel& edge : kEdgeLevels) {
    if (edgeName == edge.name) level = edge.build();
  }
  if (!writeDnlFile(out.c_str(), level)) {
    fprintf(stderr, "dnl-sample: %s: cannot write the file\n", out.c_str());
    return 1;
  }
  return 0;
}
