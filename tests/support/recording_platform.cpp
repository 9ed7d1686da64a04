// Implements the platform doorway over the RecordingPlatform record.
#include "tests/support/recording_platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

RecordingPlatform recording;

namespace {

platform::Window* const kWindow = reinterpret_cast<platform::Window*>(0x1000);
platform::DeviceContext* const kDc = reinterpret_cast<platform::DeviceContext*>(0x2000);
uintptr_t nextRenderingContext = 0x3000;
bool creating = false;
bool destroyedWhileCreating = false;

void log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void log(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  recording.calls.emplace_back(line);
}

}  // namespace

int RecordingPlatform::count(const std::string& prefix) const {
  int n = 0;
  for (const std::string& call : calls) n += call.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}

void RecordingPlatform::post(uint32_t message, uint32_t wParam, uint32_t lParam) {
  queue.push_back({kWindow, message, wParam, lParam});
}

void resetRecording() {
  recording = RecordingPlatform{};
  nextRenderingContext = 0x3000;
  creating = false;
  destroyedWhileCreating = false;
}

platform::WindowHandle recordedWindow() {
  return kWindow;
}

namespace platform {

bool registerWindowClass(const WindowClass& windowClass) {
  log("registerWindowClass %s", windowClass.className);
  if (!recording.registerSucceeds) return false;
  recording.procedure = windowClass.procedure;
  return true;
}

WindowHandle createWindow(const WindowParams& params) {
  log("createWindow %s \"%s\" topMost=%d %d,%d %dx%d", params.className, params.title,
      params.topMost ? 1 : 0, params.x, params.y, params.width, params.height);
  if (recording.procedure == nullptr) return nullptr;
  recording.windowExists = true;
  creating = true;
  destroyedWhileCreating = false;
  recording.procedure(kWindow, kWmCreate, 0, 0);
  creating = false;
  return destroyedWhileCreating ? nullptr : kWindow;
}

void showWindow(WindowHandle, int32_t showCommand) {
  log("showWindow %d", showCommand);
}
void updateWindow(WindowHandle) {
  log("updateWindow");
}

void destroyWindow(WindowHandle window) {
  log("destroyWindow");
  if (!recording.windowExists) return;
  recording.windowExists = false;
  if (creating) destroyedWhileCreating = true;
  if (recording.procedure != nullptr) recording.procedure(window, kWmDestroy, 0, 0);
}

bool getClientSize(WindowHandle, int32_t* width, int32_t* height) {
  *width = recording.clientWidth;
  *height = recording.clientHeight;
  return true;
}

void validateWindow(WindowHandle) {
  log("validateWindow");
}

bool peekMessage() {
  return !recording.queue.empty();
}

bool getMessage(Message* out) {
  if (recording.queue.empty()) return false;
  *out = recording.queue.front();
  recording.queue.pop_front();
  return out->message != kWmQuit;
}

void translateMessage(const Message&) {}

int32_t dispatchMessage(const Message& message) {
  if (recording.procedure == nullptr) return 0;
  return recording.procedure(message.window, message.message, message.wParam, message.lParam);
}

void waitMessage() {
  log("waitMessage");
  if (recording.onWaitMessage) recording.onWaitMessage();
  // A test that gives the loop nothing more to do ends it rather than hanging.
  if (recording.queue.empty()) recording.post(kWmQuit);
}

void postQuitMessage(int32_t exitCode) {
  log("postQuitMessage %d", exitCode);
  recording.quitPosted = true;
  recording.post(kWmQuit, static_cast<uint32_t>(exitCode));
}

int32_t defaultWindowProc(WindowHandle, uint32_t message, uint32_t, uint32_t) {
  log("defaultWindowProc %u", message);
  return 0;
}

bool readKeyboardState(uint8_t state[256]) {
  if (!recording.keyboardReadSucceeds) return false;
  std::memcpy(state, recording.keyboard, 256);
  return true;
}

void setCursorPos(int32_t x, int32_t y) {
  log("setCursorPos %d %d", x, y);
  recording.cursorX = x;
  recording.cursorY = y;
  if (recording.onSetCursorPos) recording.onSetCursorPos();
}

void showCursor(bool show) {
  log("showCursor %d", show ? 1 : 0);
  recording.cursorShowCount += show ? 1 : -1;
}

bool setTimer(WindowHandle, uint32_t id, uint32_t periodMs) {
  log("setTimer %u %u", id, periodMs);
  return recording.timerSucceeds;
}

bool showOpenFileDialog(OpenFileRequest* request) {
  log("showOpenFileDialog");
  recording.lastDialogRequest = *request;
  recording.lastDialogProposal = request->fileName != nullptr ? request->fileName : "";
  if (!recording.dialogAccepts) return false;
  if (recording.dialogPath.size() + 1 > request->fileNameCapacity) {
    // As a real dialog: a path that does not fit is marked, never cut into another path.
    std::snprintf(request->fileName, request->fileNameCapacity, "%.*s...",
                  static_cast<int>(request->fileNameCapacity) - 4, recording.dialogPath.c_str());
    request->nameTooLong = true;
    return true;
  }
  std::memcpy(request->fileName, recording.dialogPath.c_str(), recording.dialogPath.size() + 1);
  return true;
}

void showMessageBox(WindowHandle owner, const char* text, const char* title) {
  log("showMessageBox");
  recording.messageBoxes.push_back({owner != nullptr, text, title});
}

int32_t changeDisplayMode(const DisplayMode* mode) {
  if (mode == nullptr) {
    log("changeDisplayMode restore");
    return 0;
  }
  log("changeDisplayMode %dx%dx%d", mode->width, mode->height, mode->bitsPerPixel);
  return recording.displayModeResult;
}

DeviceContextHandle getDeviceContext(WindowHandle) {
  log("getDeviceContext");
  ++recording.liveDeviceContexts;
  return kDc;
}

void releaseDeviceContext(WindowHandle, DeviceContextHandle) {
  log("releaseDeviceContext");
  --recording.liveDeviceContexts;
}

int32_t choosePixelFormat(DeviceContextHandle, const PixelFormatRequest& request) {
  log("choosePixelFormat colour=%d depth=%d double=%d", request.colorBits, request.depthBits,
      request.doubleBuffer ? 1 : 0);
  return recording.pixelFormat;
}

bool setPixelFormat(DeviceContextHandle, int32_t format) {
  log("setPixelFormat %d", format);
  return recording.setPixelFormatSucceeds;
}

RenderingContextHandle createRenderingContext(DeviceContextHandle) {
  log("createRenderingContext");
  ++recording.liveRenderingContexts;
  return reinterpret_cast<RenderingContext*>(nextRenderingContext++);
}

bool makeCurrent(DeviceContextHandle, RenderingContextHandle rc) {
  log("makeCurrent %s", rc != nullptr ? "context" : "none");
  recording.currentContext = rc;
  if (rc != nullptr && recording.onMakeCurrent) recording.onMakeCurrent();
  return true;
}

void deleteRenderingContext(RenderingContextHandle rc) {
  log("deleteRenderingContext");
  --recording.liveRenderingContexts;
  if (recording.currentContext == rc) recording.currentContext = nullptr;
}

bool buildGlyphLists(DeviceContextHandle, uint32_t firstCode, uint32_t count, uint32_t listBase) {
  log("buildGlyphLists %u %u %u", firstCode, count, listBase);
  return recording.onBuildGlyphLists ? recording.onBuildGlyphLists(firstCode, count, listBase)
                                     : true;
}

void swapBuffers(DeviceContextHandle) {
  log("swapBuffers");
  if (recording.onSwapBuffers) recording.onSwapBuffers();
}

}  // namespace platform
