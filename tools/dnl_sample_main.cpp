// dnl-sample OUT.dnl [--layout older|newer]: writes the demonstration level.
#include <cstdio>
#include <cstring>

#include "tools/sample_level.h"

int main(int argc, char** argv) {
  LevelLayout layout = LevelLayout::Older;
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
    } else if (out == nullptr && argv[i][0] != '-') {
      out = argv[i];
    } else {
      out = nullptr;
      break;
    }
  }
  if (out == nullptr) {
    fprintf(stderr, "usage: dnl-sample OUT.dnl [--layout older|newer]\n");
    return 1;
  }
  if (!writeDnlFile(out, buildSampleLevel(layout))) {
    fprintf(stderr, "dnl-sample: cannot write %s\n", out);
    return 1;
  }
  return 0;
}
