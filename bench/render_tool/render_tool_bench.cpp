// dnl-render's steps for the capacity level at thumbnail size (256 x 192), each timed alone:
// the off-screen context, the load, texture upload with the scene list, the frame, the
// read-back and the PNG encoding; then all of them in a row. Ratios against a plain load.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "common/png_image.h"
#include "level/level_loader.h"
#include "render/frame.h"
#include "render/frame_capture.h"
#include "render/opengl.h"
#include "render/render_setup.h"
#include "tools/dnl_writer.h"
#include "tools/edge_levels.h"
#include "tools/picture_render.h"

namespace {

std::string levelPath;
PictureOptions picture;
std::vector<uint8_t> rgb;

void discard(void*, const void*, size_t) {}

void load(benchmark::State& state) {
  for (auto _ : state) {
    if (loadLevelFile(levelPath.c_str()) != LoadFailure::None) state.SkipWithError("load");
  }
}

void context(benchmark::State& state) {
  for (auto _ : state) {
    platform::DeviceContextHandle dc = platform::createOffscreenContext(256, 192);
    if (dc == nullptr) state.SkipWithError("no context");
    platform::destroyOffscreenContext(dc);
  }
}

// The steps that need a context share one made before timing.
template <typename Step>
void inContext(benchmark::State& state, Step step) {
  loadLevelFile(levelPath.c_str());
  platform::DeviceContextHandle dc = platform::createOffscreenContext(256, 192);
  if (dc == nullptr || !prepareScene(dc, picture)) state.SkipWithError("no context");
  for (auto _ : state) step();
  platform::destroyOffscreenContext(dc);
}

void prepare(benchmark::State& state) {
  inContext(state, [] {
    releaseRendering();
    setupRendering(picture.width, picture.height);
    glFinish();
  });
}

void draw(benchmark::State& state) {
  inContext(state, [] {
    renderFrame();
    glFinish();
  });
}

void readBack(benchmark::State& state) {
  inContext(state, [] { readFrameRgb(picture.width, picture.height, rgb.data(), rgb.size()); });
}

void encode(benchmark::State& state) {
  const PixelImage image = {rgb.data(), picture.width, picture.height, 3, true};
  for (auto _ : state) encodePng(image, discard, nullptr);
}

// What dnl-render does between its start-up and its file write.
void whole(benchmark::State& state) {
  for (auto _ : state) {
    loadLevelFile(levelPath.c_str());
    platform::DeviceContextHandle dc = platform::createOffscreenContext(256, 192);
    if (dc == nullptr || !prepareScene(dc, picture) || !drawPicture(picture, rgb)) {
      state.SkipWithError("no picture");
    }
    platform::destroyOffscreenContext(dc);
    const PixelImage image = {rgb.data(), picture.width, picture.height, 3, true};
    encodePng(image, discard, nullptr);
  }
}

}  // namespace

BENCHMARK(load)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(context)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(prepare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(draw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(readBack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(encode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(whole)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  levelPath = "render_tool_bench_capacity.dnl";
  if (!writeDnlFile(levelPath.c_str(), capacityEdgeLevel())) {
    std::fprintf(stderr, "cannot write %s\n", levelPath.c_str());
    return 1;
  }
  thumbnailSize(256, &picture.width, &picture.height);
  rgb.assign(3u * static_cast<size_t>(picture.width * picture.height), 0x80);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter(RatioReporter::Clock::Real);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* step : {"context", "prepare", "draw", "readBack", "encode", "whole"}) {
    const std::string label = std::string(step) + " / load";
    reporter.printRatio(label.c_str(), step, "load");
  }
  std::remove(levelPath.c_str());
  return 0;
}
