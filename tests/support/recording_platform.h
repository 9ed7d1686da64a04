// A stand-in for the desktop in tests: every platform call is recorded as a line of text,
// results are scripted, the message queue is an in-memory list, and hooks let a test act
// when the code under test waits, swaps or binds a context.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/platform/platform.h"

struct RecordedMessageBox {
  bool owned;  // true when a window owns the box
  std::string text;
  std::string title;
};

struct RecordingPlatform {
  // Scripted results.
  bool registerSucceeds = true;
  bool keyboardReadSucceeds = true;
  uint8_t keyboard[256] = {};
  bool dialogAccepts = true;
  std::string dialogPath = "/levels/sample.dnl";  // written into the request's buffer
  bool timerSucceeds = true;
  int32_t displayModeResult = 0;
  int32_t pixelFormat = 1;
  bool setPixelFormatSucceeds = true;
  int32_t clientWidth = 638;
  int32_t clientHeight = 478;

  // What happened.
  std::vector<std::string> calls;
  std::vector<RecordedMessageBox> messageBoxes;
  std::deque<platform::Message> queue;
  platform::OpenFileRequest lastDialogRequest = {};
  std::string lastDialogProposal;  // the buffer's text when the dialog opened
  int32_t cursorX = -1, cursorY = -1;
  int32_t cursorShowCount = 0;  // ShowCursor-style counter: shows minus hides
  bool quitPosted = false;
  bool windowExists = false;
  int32_t liveRenderingContexts = 0;
  int32_t liveDeviceContexts = 0;
  platform::RenderingContextHandle currentContext = nullptr;  // the one made current last

  // Hooks (optional).
  std::function<void()> onWaitMessage;
  std::function<void()> onSwapBuffers;
  std::function<void()> onMakeCurrent;
  std::function<void()> onSetCursorPos;  // after the position is recorded
  std::function<bool(uint32_t first, uint32_t count, uint32_t base)> onBuildGlyphLists;

  platform::WindowProc procedure = nullptr;

  // Number of recorded calls that start with `prefix`.
  int count(const std::string& prefix) const;
  void post(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0);
};

// The one double that the platform functions act on; resetRecording() starts afresh.
extern RecordingPlatform recording;
void resetRecording();

// The fake handle of the one window the double creates.
platform::WindowHandle recordedWindow();
