// dnl-info FILE | dnl-info --json FILE: loads a level file with the viewer's loader and
// prints what the store holds. Exit 0 when the load succeeds, 1 with the reason when the file
// is refused, 2 for a misused command line.
#include <cstdio>
#include <string>
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "common/program_options.h"
#include "level/level_loader.h"
#include "tools/level_summary.h"

int main(int argc, char** argv) {
#if defined(_WIN32)
  _setmode(_fileno(stdout), _O_BINARY);  // line feeds as on every other system, no CR
#endif
  CLI::App app("Summarises what a level file holds.", "dnl-info");
  declareVersion(app, DUNMOOR_VERSION);
  std::string path;
  bool json = false;
  app.add_flag("--json", json, "Print the loaded store as one JSON object");
  app.add_option("FILE", path, "The level file")->required();
  const int parsed = parseProgramOptions(app, argc, argv);
  if (parsed != kParsedGoOn) return parsed;

  const LoadFailure failure = loadLevelFile(path.c_str());
  if (failure != LoadFailure::None) {
    fprintf(stderr, "dnl-info: %s: %s\n", path.c_str(), loadFailureText(failure));
    return 1;
  }
  if (json) {
    printf("%s\n", levelStoreJson(lastLoadReport()).dump().c_str());
  } else {
    printf("file:            %s\n", path.c_str());
    printLevelSummary(stdout, lastLoadReport());
  }
  return 0;
}
