// Recording stand-ins for the loader and the renderer that the shell calls, so the shell's
// tests run without level files or a window; they log into the platform double's call list.
// ShellTest starts each test from a clean process state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shell_state.h"
#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "platform/virtual_keys.h"
#include "tests/support/recording_platform.h"

struct NeighbourRecord {
  bool loadSucceeds = true;
  std::vector<platform::RenderingContextHandle> releasedIn;  // context current at release
  LoadReport report = {};  // what lastLoadReport() answers; loadLevel sets its failure
};
extern NeighbourRecord neighbours;

// Makes a test OpenGL context current once per process; false when none can be made.
bool glContextReady();

class ShellTest : public ::testing::Test {
 protected:
  // Zeroes both records and the shared shell, camera and frame state the tests look at.
  void SetUp() override;
};
