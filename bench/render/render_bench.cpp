// Frame and scene-list costs on the software renderer at 640 x 480: a level at every
// capacity limit against an empty level, the scene list's compile time, and the overlay
// (status line, help screen, 248 labels) as a share of the full frame. Prints the ratios
// against the baselines measured in the same run. The heap is set up as the viewer sets it
// (freed memory kept for reuse), since Mesa replays list bitmaps with large short-lived
// allocations.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "bench/ratio_reporter.h"
#include "platform/sdl/glyph_lists.h"
#include "platform/sdl/glyph_raster.h"
#include "render/font_lists.h"
#include "render/frame.h"
#include "render/heap_setting.h"
#include "render/render_setup.h"
#include "render/scene_list.h"
#include "render/scene_plan.h"
#include "tests/gl/gl_context.h"
#include "tests/gl/level_builder.h"

namespace {

constexpr int32_t kLimitVertices = kMaxVertices - 1;
constexpr int32_t kLimitQuads = kMaxQuads - 1;
constexpr int32_t kLimitTriangles = kMaxTriangles - 1;

// Layers of vertex grids receding from the camera, each seen whole, so the frame has real
// overdraw and depth rejection; faces grouped by page as the loader leaves them.
void fillFullLevel() {
  testlevel::resetWorld();
  std::mt19937 random(7);
  for (int32_t page = 0; page < kMaxTexturePages; ++page) {
    const testlevel::Rgba colour = {static_cast<uint8_t>(random() % 32 * 8),
                                    static_cast<uint8_t>(random() % 32 * 8),
                                    static_cast<uint8_t>(random() % 32 * 8), 255};
    testlevel::fillPage(page, [&](int32_t s, int32_t t) {
      return ((s / 16 + t / 16) % 5 == 0) ? testlevel::Rgba{0, 0, 0, 0} : colour;
    });
  }
  levelGeometry.numTexturePages = kMaxTexturePages;
  for (int32_t record = 0; record < kMaxObjectTextures; ++record) {
    for (float& value : levelGeometry.objectTextureUVs[record].uv) {
      value = (static_cast<float>(random() % 256) + 0.5f) / 256.0f;
    }
  }

  constexpr int32_t kSide = 48;  // vertices per grid row and column
  constexpr int32_t kLayers = kLimitVertices / (kSide * kSide);
  for (int32_t i = 0; i < kLimitVertices; ++i) {
    const int32_t layer = std::min(i / (kSide * kSide), kLayers - 1);
    const int32_t cell = i % (kSide * kSide);
    const float distance = 1200.0f + 1500.0f * static_cast<float>(layer);
    const float step = distance * 1.3f / kSide;
    levelGeometry.vertices[i] = {(static_cast<float>(cell % kSide) - kSide / 2.0f) * step,
                                 (static_cast<float>(cell / kSide) - kSide / 2.0f) * step,
                                 -distance,
                                 0.5f,
                                 0.5f,
                                 0.5f};
  }
  // Cells of the grids in turn: quads first, then triangles.
  int32_t cell = 0;
  auto corner = [&](int32_t c, int32_t dx, int32_t dy) {
    const int32_t layer = (c / ((kSide - 1) * (kSide - 1))) % kLayers;
    const int32_t inLayer = c % ((kSide - 1) * (kSide - 1));
    const int32_t x = inLayer % (kSide - 1) + dx;
    const int32_t y = inLayer / (kSide - 1) + dy;
    return static_cast<uint32_t>(layer * kSide * kSide + y * kSide + x);
  };
  for (int32_t q = 0; q < kLimitQuads; ++q, ++cell) {
    const uint32_t page = static_cast<uint32_t>(q * kMaxTexturePages / kLimitQuads);
    levelGeometry.quads[q] = {
        {corner(cell, 0, 0), corner(cell, 1, 0), corner(cell, 1, 1), corner(cell, 0, 1)},
        static_cast<uint32_t>(q % kMaxObjectTextures),
        page};
  }
  for (int32_t t = 0; t < kLimitTriangles; ++t, ++cell) {
    const uint32_t page = static_cast<uint32_t>(t * kMaxTexturePages / kLimitTriangles);
    levelGeometry.triangles[t] = {{corner(cell, 0, 0), corner(cell, 1, 0), corner(cell, 0, 1)},
                                  static_cast<uint32_t>(t % kMaxObjectTextures),
                                  page};
  }
  levelGeometry.quadCount = kLimitQuads;
  levelGeometry.triangleCount = kLimitTriangles;

  for (int32_t i = 0; i < kMaxItems; ++i) {
    levelGeometry.items[i] = {
        static_cast<int32_t>(random() % 65536), static_cast<int32_t>(random() % 2400) - 1200,
        static_cast<int32_t>(random() % 1600) - 800, -1000 - static_cast<int32_t>(random() % 8000)};
  }
  levelGeometry.itemCount = kMaxItems;
  camera.bank = 180.0f;
}

void fillEmptyLevel() {
  testlevel::resetWorld();
  camera.bank = 180.0f;
}

bool prepareContext(benchmark::State& state) {
  if (!makeTestGlContext() || !buildFontGlyphLists(0, kGlyphCodeCount, kFontListBase)) {
    state.SkipWithError("no headless OpenGL context");
    return false;
  }
  setupRendering(kTestViewWidth, kTestViewHeight);
  return true;
}

void drawFrames(benchmark::State& state) {
  for (auto _ : state) {
    renderFrame();
    glFinish();
  }
}

void BM_FrameEmptyLevel(benchmark::State& state) {
  fillEmptyLevel();
  if (prepareContext(state)) drawFrames(state);
}

void BM_FrameFullLevel(benchmark::State& state) {
  fillFullLevel();
  if (prepareContext(state)) drawFrames(state);
}

// The full level with the whole overlay: status line, help screen and 248 labels.
void BM_FrameFullLevelWithHelp(benchmark::State& state) {
  fillFullLevel();
  viewSettings.showHelp = 1;
  if (prepareContext(state)) drawFrames(state);
}

// The same level with no text at all: the baseline for the overlay's share.
void BM_FrameFullLevelNoText(benchmark::State& state) {
  fillFullLevel();
  viewSettings.showStatus = 0;
  levelGeometry.itemCount = 0;
  if (prepareContext(state)) drawFrames(state);
}

void BM_CompileSceneListFullLevel(benchmark::State& state) {
  fillFullLevel();
  if (!prepareContext(state)) return;
  for (auto _ : state) {
    glDeleteLists(kSceneList, 1);
    compileSceneList();
    glFinish();
  }
}

void BM_PlanSceneFullLevel(benchmark::State& state) {
  fillFullLevel();
  for (auto _ : state) {
    planScene(levelGeometry, scenePlan);
    benchmark::DoNotOptimize(scenePlan.batchCount);
  }
}

// 1000 glyphs drawn through the glyph lists, as the overlay draws them...
void BM_ThousandGlyphsThroughLists(benchmark::State& state) {
  fillEmptyLevel();
  if (!prepareContext(state)) return;
  const char text[] = "0123456789abcdef0123456789abcdef0123456789abcdef01";
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int32_t line = 0; line < 20; ++line) {
      drawText3D(-220.0f, -150.0f + 15.0f * static_cast<float>(line), -410.0f, text, 50);
    }
    glFinish();
  }
}

// ...and the same glyphs issued straight from the rasterised table: the driver's own cost
// of a bitmap, without display-list replay.
void BM_ThousandGlyphsImmediate(benchmark::State& state) {
  fillEmptyLevel();
  if (!prepareContext(state)) return;
  const char text[] = "0123456789abcdef0123456789abcdef0123456789abcdef01";
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, kGlyphMaxWidth);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int32_t line = 0; line < 20; ++line) {
      glRasterPos3f(-220.0f, -150.0f + 15.0f * static_cast<float>(line), -410.0f);
      for (int32_t i = 0; i < 50; ++i) {
        const GlyphBitmap& glyph = glyphFont.glyphs[static_cast<uint8_t>(text[i])];
        glBitmap(glyph.width, glyph.rows, static_cast<float>(-glyph.left),
                 static_cast<float>(glyph.rows - glyph.top), kGlyphAdvance, 0.0f, glyph.bits);
      }
    }
    glFinish();
  }
}

BENCHMARK(BM_FrameEmptyLevel)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameFullLevel)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameFullLevelWithHelp)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameFullLevelNoText)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CompileSceneListFullLevel)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PlanSceneFullLevel)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ThousandGlyphsThroughLists)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ThousandGlyphsImmediate)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  // The driver rasterises on the measuring thread (unless LP_NUM_THREADS says otherwise), so
  // its CPU time holds the whole frame and other processes on the machine barely move it.
  setenv("LP_NUM_THREADS", "0", 0);
  keepFreedHeapMemory();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter(RatioReporter::Clock::Cpu);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("full level frame / empty level frame", "BM_FrameFullLevel",
                      "BM_FrameEmptyLevel");
  reporter.printRatio("scene list compile / full level frame", "BM_CompileSceneListFullLevel",
                      "BM_FrameFullLevel");
  reporter.printRatio("glyph lists / the same glBitmap calls directly",
                      "BM_ThousandGlyphsThroughLists", "BM_ThousandGlyphsImmediate");
  // Shares of the full frame: the time a frame spends on text, as a percentage.
  const double withHelp = reporter.time("BM_FrameFullLevelWithHelp");
  const double full = reporter.time("BM_FrameFullLevel");
  const double noText = reporter.time("BM_FrameFullLevelNoText");
  if (withHelp > 0.0 && noText > 0.0) {
    std::printf(
        "overlay (status, help, %d labels) share of the full frame: %.1f%% (target < 15%%)\n",
        kMaxItems, 100.0 * (withHelp - noText) / withHelp);
  }
  if (full > 0.0 && noText > 0.0) {
    std::printf("status line and labels share of the full frame: %.1f%%\n",
                100.0 * (full - noText) / full);
  }
  benchmark::Shutdown();
  return 0;
}
