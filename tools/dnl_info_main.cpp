// dnl-info FILE | dnl-info --json FILE: loads a level file with the viewer's loader and
// prints what the store holds. Exit 0 when the load succeeds, 1 with a reason otherwise.
#include <cstdio>
#include <cstring>
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "level/level_loader.h"
#include "tools/level_summary.h"

int main(int argc, char** argv) {
#if defined(_WIN32)
  _setmode(_fileno(stdout), _O_BINARY);  // line feeds as on every other system, no CR
#endif
  const bool json = argc == 3 && std::strcmp(argv[1], "--json") == 0;
  if (!(argc == 2 && argv[1][0] != '-') && !json) {
    fprintf(stderr, "usage: dnl-info [--json] FILE\n");
    return 1;
  }
  const char* path = argv[argc - 1];
  const LoadFailure failure = loadLevelFile(path);
  if (failure != LoadFailure::None) {
    fprintf(stderr, "dnl-info: %s: %s\n", path, loadFailureText(failure));
    return 1;
  }
  if (json) {
    printf("%s\n", levelStoreJson(lastLoadReport()).dump().c_str());
  } else {
    printf("file:            %s\n", path);
    printLevelSummary(stdout, lastLoadReport());
  }
  return 0;
}
