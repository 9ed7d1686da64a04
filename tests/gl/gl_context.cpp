// The tests' context is the one dnl-render draws in, made through the platform doorway.
#include "tests/gl/gl_context.h"

#include <cstdlib>

#include "platform/platform.h"

namespace {

platform::DeviceContextHandle context = nullptr;

}  // namespace

bool makeTestGlContext() {
#ifndef _WIN32
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  setenv("LP_NUM_THREADS", "0", 0);
#endif
  destroyTestGlContext();
  context = platform::createOffscreenContext(kTestViewWidth, kTestViewHeight);
  return context != nullptr;
}

void destroyTestGlContext() {
  platform::destroyOffscreenContext(context);
  context = nullptr;
}
