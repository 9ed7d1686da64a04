// SDL backend: the process entry. Linux has no show command; the window is shown normally.
#include "platform/platform.h"

int main(int argc, char** argv) {
  return platform::runProgram(argc, argv, 1);
}
