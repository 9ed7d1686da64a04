// dnl-sample OUT.dnl [--layout older|newer] [--edge NAME]: writes the demonstration level, or
// with --edge one of the edge levels (test data for the tools and the export).
#include <cstdio>
#include <cstring>

#include "tools/edge_levels.h"
#include "tools/sample_level.h"

#define EDGE_NAMES "empty|pages-only|untextured|known|capacity|too-many-items"

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
  LevelLayout layout = LevelLayout::Older;
  const EdgeLevel* edge = nullptr;
  const char* out = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--layout") == 0 && i + 1 < argc) {
      const char* name = argv[++i];
      if (std::strcmp(name, "older") == 0) {
        layout = LevelLayout::Older;
      } else if (std::strcmp(name, "newer") == 0) {
        layout = LevelLayout::Newer;
      } else {
        fprintf(stderr, "dnl-sample: unknown layout '%s' (older or newer)\n", name);
        return 1;
      }
    } else if (std::strcmp(argv[i], "--edge") == 0 && i + 1 < argc) {
      const char* name = argv[++i];
      edge = nullptr;
      for (const EdgeLevel& level : kEdgeLevels) {
        if (std::strcmp(name, level.name) == 0) edge = &level;
      }
      if (edge == nullptr) {
        fprintf(stderr, "dnl-sample: unknown edge level '%s' (" EDGE_NAMES ")\n", name);
        return 1;
      }
    } else if (out == nullptr && argv[i][0] != '-') {
      out = argv[i];
    } else {
      out = nullptr;
      break;
    }
  }
  if (out == nullptr) {
    fprintf(stderr, "usage: dnl-sample OUT.dnl [--layout older|newer] [--edge " EDGE_NAMES "]\n");
    return 1;
  }
  if (!writeDnlFile(out, edge != nullptr ? edge->build() : buildSampleLevel(layout))) {
    fprintf(stderr, "dnl-sample: cannot write %s\n", out);
    return 1;
  }
  return 0;
}
