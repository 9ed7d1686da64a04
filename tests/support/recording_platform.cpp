// Implements the platform doorway over the RecordingPlatform record. The client area is
// 638 x 478, so a caller that assumes the window's outer size shows up.
#include "tests/support/recording_platform.h"

#include <cstdio>
#include <cstring>

RecordingPlatform recording;

namespace {

platform::DeviceContext* const kDc = reinterpret_cast<platform::DeviceContext*>(0x2000);
uintptr_t nextRenderingContext = 0x3000;

// Records a call with its arguments; returns `result` so that scripted answers fit one line.
template <typename T, typename... Args>
T log(T result, const char* format, Args... args) {
  char line[512];
  std::snprintf(line, sizeof line, format, args...);
  recording.calls.emplace_back(line);
  return result;
}

}  // namespace

namespace platform {

bool registerWindowClass(const WindowClass& windowClass) {
  recording.procedure = windowClass.procedure;
  return true;
}

// As a real window: one destroyed while it handles its creation is never handed out.
WindowHandle createWindow(const WindowParams&) {
  if (recording.procedure == nullptr) return nullptr;
  recording.windowExists = true;
  recording.procedure(recordedWindow(), kWmCreate, 0, 0);
  return recording.windowExists ? recordedWindow() : nullptr;
}

void destroyWindow(WindowHandle window) {
  recording.calls.emplace_back("destroyWindow");
  if (!recording.windowExists) return;
  recording.windowExists = false;
  if (recording.procedure != nullptr) recording.procedure(window, kWmDestroy, 0, 0);
}

void showWindow(WindowHandle, int32_t showCommand) {
  log(0, "showWindow %d", showCommand);
}
void updateWindow(WindowHandle) {}
void validateWindow(WindowHandle) {
  recording.calls.emplace_back("validateWindow");
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
  recording.calls.emplace_back("waitMessage");
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
  log(0, "showOpenFileDialog %s", request->owner != nullptr ? "owned" : "free");
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
  if (m == nullptr) return log(0, "changeDisplayMode %s", "restore");
  return log(0, "changeDisplayMode %dx%dx%d", m->width, m->height, m->bitsPerPixel);
}

DeviceContextHandle getDeviceContext(WindowHandle) {
  ++recording.liveDeviceContexts;
  return kDc;
}

void releaseDeviceContext(WindowHandle, DeviceContextHandle) {
  --recording.liveDeviceContexts;
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
  return reinterpret_cast<RenderingContext*>(nextRenderingContext++);
}

bool makeCurrent(DeviceContextHandle, RenderingContextHandle rc) {
  recording.currentContext = rc;
  if (rc != nullptr && recording.onMakeCurrent) recording.onMakeCurrent();
  return true;
}

void deleteRenderingContext(RenderingContextHandle rc) {
  --recording.liveRenderingContexts;
  if (recording.currentContext == rc) recording.currentContext = nullptr;
}

// As the desktop's own: the lists go into the current context, and there must be one.
bool buildGlyphLists(DeviceContextHandle, uint32_t firstCode, uint32_t count, uint32_t base) {
  if (recording.currentContext == nullptr) return log(false, "buildGlyphLists without a context");
  return log(true, "buildGlyphLists %u %u %u", firstCode, count, base);
}

void deleteGlyphLists(uint32_t, uint32_t) {}

bool findPicturesFolder(char*, uint32_t) {
  return false;
}

WindowHandle createFramedWindow(const WindowParams& p, const WindowFrame& f) {
  log(0, "createFramedWindow %dx%d decorated=%d resizable=%d covers=%d topMost=%d", p.width,
      p.height, f.decorated, f.resizable, f.coversDesktop, p.topMost);
  return createWindow(p);
}

bool getDesktopSize(int32_t* width, int32_t* height) {
  *width = 1920;
  *height = 1080;
  return true;
}

bool watchFile(WindowHandle, const char*) {
  return true;
}
void stopWatchingFile() {}

bool buildGlyphListsAtHeight(DeviceContextHandle, uint32_t firstCode, uint32_t count, uint32_t base,
                             int32_t height) {
  return log(true, "buildGlyphListsAtHeight %u %u %u %d", firstCode, count, base, height);
}

void swapBuffers(DeviceContextHandle) {
  if (recording.onSwapBuffers) recording.onSwapBuffers();
}

}  // namespace platform
