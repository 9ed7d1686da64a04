// Implements the platform doorway over the RecordingPlatform record. The client area is
// 638 x 478, so a caller that assumes the window's outer size shows up.
#include "tests/support/recording_platform.h"

#include <cstdio>
#include <cstring>

RecordingPlatform recording;

namespace {

platform::DeviceContext* const kDc = reinterpret_cast<platform::DeviceContext*>(0x2000);
uintptr_t nextRenderingContext = 0x3000;

// Records a call; returns `result` so that scripted answers fit on one line.
template <typename T, typename... Args>
T log(T result, const char* format, Args... args) {
  char line[512] = {};
  if constexpr (sizeof...(Args) == 0) {
    recording.calls.emplace_back(format);
  } else {
    std::snprintf(line, sizeof line, format, args...);
    recording.calls.emplace_back(line);
  }
  return result;
}

}  // namespace

int RecordingPlatform::count(const std::string& prefix) const {
  int n = 0;
  for (const std::string& call : calls) n += call.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}

void RecordingPlatform::post(uint32_t message, uint32_t wParam, uint32_t lParam) {
  queue.push_back({recordedWindow(), message, wParam, lParam});
}

void resetRecording() {
  recording = RecordingPlatform{};
}

namespace platform {

bool registerWindowClass(const WindowClass& windowClass) {
  if (recording.registerSucceeds) recording.procedure = windowClass.procedure;
  return log(recording.registerSucceeds, "registerWindowClass %s", windowClass.className);
}

// As a real window: one destroyed while it handles its creation is never handed out.
WindowHandle createWindow(const WindowParams& p) {
  log(0, "createWindow %s \"%s\" topMost=%d %d,%d %dx%d", p.className, p.title, p.topMost ? 1 : 0,
      p.x, p.y, p.width, p.height);
  if (recording.procedure == nullptr) return nullptr;
  recording.windowExists = true;
  recording.procedure(recordedWindow(), kWmCreate, 0, 0);
  return recording.windowExists ? recordedWindow() : nullptr;
}

void destroyWindow(WindowHandle window) {
  log(0, "destroyWindow");
  if (!recording.windowExists) return;
  recording.windowExists = false;
  if (recording.procedure != nullptr) recording.procedure(window, kWmDestroy, 0, 0);
}

void showWindow(WindowHandle, int32_t showCommand) {
  log(0, "showWindow %d", showCommand);
}
void updateWindow(WindowHandle) {
  log(0, "updateWindow");
}
void validateWindow(WindowHandle) {
  log(0, "validateWindow");
}
void translateMessage(const Message&) {}
bool peekMessage() {
  return !recording.queue.empty();
}

bool getClientSize(WindowHandle, int32_t* width, int32_t* height) {
  *width = 638;
  *height = 478;
  return true;
}

bool getMessage(Message* out) {
  if (recording.queue.empty()) return false;
  *out = recording.queue.front();
  recording.queue.pop_front();
  return out->message != kWmQuit;
}

int32_t dispatchMessage(const Message& m) {
  return recording.procedure ? recording.procedure(m.window, m.message, m.wParam, m.lParam) : 0;
}

void waitMessage() {
  log(0, "waitMessage");
  if (recording.onWaitMessage) recording.onWaitMessage();
  // A test that gives the loop nothing more to do ends it rather than hanging.
  if (recording.queue.empty()) recording.post(kWmQuit);
}

void postQuitMessage(int32_t exitCode) {
  log(0, "postQuitMessage %d", exitCode);
  recording.post(kWmQuit, static_cast<uint32_t>(exitCode));
}

int32_t defaultWindowProc(WindowHandle, uint32_t message, uint32_t, uint32_t) {
  return log(0, "defaultWindowProc %u", message);
}

bool readKeyboardState(uint8_t state[256]) {
  if (recording.keyboardReadSucceeds) std::memcpy(state, recording.keyboard, 256);
  return recording.keyboardReadSucceeds;
}

void setCursorPos(int32_t x, int32_t y) {
  log(0, "setCursorPos %d %d", x, y);
  if (recording.onSetCursorPos) recording.onSetCursorPos();
}

void showCursor(bool show) {
  log(0, "showCursor %d", show ? 1 : 0);
}

bool setTimer(WindowHandle, uint32_t id, uint32_t periodMs) {
  return log(recording.timerSucceeds, "setTimer %u %u", id, periodMs);
}

// As a real dialog: a path that does not fit is marked, never cut into another path.
bool showOpenFileDialog(OpenFileRequest* request) {
  log(0, "showOpenFileDialog");
  recording.lastDialogRequest = *request;
  recording.lastDialogProposal = request->fileName != nullptr ? request->fileName : "";
  if (!recording.dialogAccepts) return false;
  request->nameTooLong = recording.dialogPath.size() >= request->fileNameCapacity;
  const std::string shown =
      request->nameTooLong ? recording.dialogPath.substr(0, request->fileNameCapacity - 4) + "..."
                           : recording.dialogPath;
  std::snprintf(request->fileName, request->fileNameCapacity, "%s", shown.c_str());
  return true;
}

void showMessageBox(WindowHandle owner, const char* text, const char* title) {
  log(0, "showMessageBox %s %s: %s", owner != nullptr ? "owned" : "free", title, text);
}

int32_t changeDisplayMode(const DisplayMode* m) {
  if (m == nullptr) return log(0, "changeDisplayMode restore");
  return log(recording.displayModeResult, "changeDisplayMode %dx%dx%d", m->width, m->height,
             m->bitsPerPixel);
}

DeviceContextHandle getDeviceContext(WindowHandle) {
  ++recording.liveDeviceContexts;
  return log(kDc, "getDeviceContext");
}

void releaseDeviceContext(WindowHandle, DeviceContextHandle) {
  log(--recording.liveDeviceContexts, "releaseDeviceContext");
}

int32_t choosePixelFormat(DeviceContextHandle, const PixelFormatRequest& r) {
  return log(recording.pixelFormat, "choosePixelFormat colour=%d depth=%d double=%d", r.colorBits,
             r.depthBits, r.doubleBuffer ? 1 : 0);
}

bool setPixelFormat(DeviceContextHandle, int32_t format) {
  return log(recording.setPixelFormatSucceeds, "setPixelFormat %d", format);
}

RenderingContextHandle createRenderingContext(DeviceContextHandle) {
  ++recording.liveRenderingContexts;
  return log(reinterpret_cast<RenderingContext*>(nextRenderingContext++), "createRenderingContext");
}

bool makeCurrent(DeviceContextHandle, RenderingContextHandle rc) {
  log(0, "makeCurrent %s", rc != nullptr ? "context" : "none");
  recording.currentContext = rc;
  if (rc != nullptr && recording.onMakeCurrent) recording.onMakeCurrent();
  return true;
}

void deleteRenderingContext(RenderingContextHandle rc) {
  log(--recording.liveRenderingContexts, "deleteRenderingContext");
  if (recording.currentContext == rc) recording.currentContext = nullptr;
}

bool buildGlyphLists(DeviceContextHandle, uint32_t firstCode, uint32_t count, uint32_t base) {
  return log(true, "buildGlyphLists %u %u %u", firstCode, count, base);
}

void deleteGlyphLists(uint32_t base, uint32_t count) {
  log(0, "deleteGlyphLists %u %u", base, count);
}

WindowHandle createFramedWindow(const WindowParams& p, const WindowFrame& f) {
  log(0, "createFramedWindow decorated=%d resizable=%d coversDesktop=%d", f.decorated ? 1 : 0,
      f.resizable ? 1 : 0, f.coversDesktop ? 1 : 0);
  return createWindow(p);
}

bool getDesktopSize(int32_t* width, int32_t* height) {
  *width = recording.desktopWidth;
  *height = recording.desktopHeight;
  return true;
}

bool watchFile(WindowHandle, const char* path) {
  return log(true, "watchFile %s", path);
}

void stopWatchingFile() {
  log(0, "stopWatchingFile");
}

bool buildGlyphListsAtHeight(DeviceContextHandle, uint32_t firstCode, uint32_t count, uint32_t base,
                             int32_t height) {
  return log(true, "buildGlyphListsAtHeight %u %u %u %d", firstCode, count, base, height);
}

void swapBuffers(DeviceContextHandle) {
  log(0, "swapBuffers");
  if (recording.onSwapBuffers) recording.onSwapBuffers();
}

}  // namespace platform
