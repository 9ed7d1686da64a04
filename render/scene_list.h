// Compiles the whole static level into one display list, one batch per run of faces that
// share a texture page.
#pragma once

#include <cstdint>

inline constexpr uint32_t kSceneList = 10;

void compileSceneList();
