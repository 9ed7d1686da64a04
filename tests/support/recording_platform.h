// A stand-in for the desktop in tests: the platform calls tests look at are recorded as lines
// of text (message boxes with their owner, title and text), results are scripted, the message
// queue is an in-memory list, and hooks let a test act when the code waits, swaps, binds a
// context or moves the pointer. The desktop is 1920 x 1080 and names no pictures folder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

// The fake handle of the one window the double creates.
inline platform::WindowHandle recordedWindow() {
  return reinterpret_cast<platform::Window*>(0x1000);
}

struct RecordingPlatform {
  // Scripted results.
  bool keyboardReadSucceeds = true, dialogAccepts = true;
  bool timerSucceeds = true, setPixelFormatSucceeds = true;
  int32_t pixelFormat = 1;
  uint8_t keyboard[256] = {};
  std::string dialogPath = "/levels/sample.dnl";  // written into the request's buffer

  // What happened.
  std::vector<std::string> calls;
  std::deque<platform::Message> queue;
  bool windowExists = false;
  int32_t liveRenderingContexts = 0, liveDeviceContexts = 0;
  platform::RenderingContextHandle currentContext = nullptr;  // the one made current last

  std::function<void()> onWaitMessage, onSwapBuffers, onMakeCurrent, onSetCursorPos;
  platform::WindowProc procedure = nullptr;

  // Number of recorded calls that start with `prefix`.
  int count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](auto& c) { return c.rfind(prefix, 0) == 0; }));
  }
  void post(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0) {
    queue.push_back({recordedWindow(), message, wParam, lParam});
  }
};

// The one double that the platform functions act on.
extern RecordingPlatform recording;
inline void resetRecording() {
  recording = RecordingPlatform{};
}
