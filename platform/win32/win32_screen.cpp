// Win32 backend: a normal overlapped window of any size or a pop-up over the whole monitor,
// both without a display-mode switch and DPI aware per monitor (so Windows does not stretch
// them), the desktop's size, and the watch on one level file, polled a few times a second.
#include <cstring>

#include "platform/win32/win32_backend.h"

namespace {

constexpr DWORD kClipping = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr UINT_PTR kWatchTimerId = 3;  // the viewer's own timers are 1 and 2
constexpr UINT kWatchPeriodMs = 100;
constexpr size_t kWatchPathSize = MAX_PATH;

// A function of `module` by name, as the generic function type any other casts from.
void (*lookUp(HMODULE module, const char* name))() {
  return reinterpret_cast<void (*)()>(GetProcAddress(module, name));
}

// Newer systems take per-monitor awareness through a call older ones lack, so it is looked
// up by name; older ones fall back to system-wide awareness.
void becomeDpiAware() {
  static bool done = false;
  if (done) return;
  done = true;
  using SetContext = BOOL(WINAPI*)(HANDLE);
  using SetAware = BOOL(WINAPI*)();
  HMODULE user = GetModuleHandleA("user32.dll");
  if (user == nullptr) return;
  const auto setContext =
      reinterpret_cast<SetContext>(lookUp(user, "SetProcessDpiAwarenessContext"));
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (setContext != nullptr && setContext(reinterpret_cast<HANDLE>(-4))) return;
  const auto setAware = reinterpret_cast<SetAware>(lookUp(user, "SetProcessDPIAware"));
  if (setAware != nullptr) setAware();
}

// The monitor the viewer starts on: the one under the pointer.
RECT startMonitorRect() {
  POINT pointer = {0, 0};
  GetCursorPos(&pointer);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  RECT whole = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
  if (monitor != nullptr && GetMonitorInfoA(monitor, &info)) whole = info.rcMonitor;
  return whole;
}

// What the watch last saw of the file: its size and time of last write, or that it was
// missing. A change is announced once the file has stayed the same for one period.
struct FileState {
  bool present;
  FILETIME written;
  DWORD sizeHigh, sizeLow;
};

char watchedPath[kWatchPathSize];
HWND watchWindow = nullptr;
FileState lastSeen = {};
bool changePending = false;

FileState readFileState() {
  FileState state = {};
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(watchedPath, GetFileExInfoStandard, &data)) {
    state.present = true;
    state.written = data.ftLastWriteTime;
    state.sizeHigh = data.nFileSizeHigh;
    state.sizeLow = data.nFileSizeLow;
  }
  return state;
}

bool sameState(const FileState& a, const FileState& b) {
  return a.present == b.present && a.sizeHigh == b.sizeHigh && a.sizeLow == b.sizeLow &&
         CompareFileTime(&a.written, &b.written) == 0;
}

}  // namespace

namespace win32 {

bool pollWatchedFile(UINT_PTR timerId) {
  if (timerId != kWatchTimerId || watchWindow == nullptr) return false;
  const FileState now = readFileState();
  if (!sameState(now, lastSeen)) {
    lastSeen = now;
    changePending = true;
  } else if (changePending && now.present) {
    changePending = false;
    PostMessageA(watchWindow, platform::kWmFileChanged, 0, 0);
  }
  return true;
}

}  // namespace win32

namespace platform {

using win32::backend;

WindowHandle createFramedWindow(const WindowParams& params, const WindowFrame& frame) {
  if (backend.procedure == nullptr || backend.window != nullptr) return nullptr;
  becomeDpiAware();
  DWORD style = kClipping | (frame.decorated ? WS_OVERLAPPEDWINDOW : WS_POPUP);
  if (!frame.resizable) style &= ~static_cast<DWORD>(WS_THICKFRAME | WS_MAXIMIZEBOX);
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  RECT outer = {0, 0, params.width, params.height};
  if (frame.coversDesktop) {
    outer = startMonitorRect();
    x = outer.left;
    y = outer.top;
  } else {
    AdjustWindowRect(&outer, style, FALSE);  // the frame around the asked-for client
  }
  HWND window = CreateWindowExA(params.topMost ? WS_EX_TOPMOST : 0, params.className, params.title,
                                style, x, y, outer.right - outer.left, outer.bottom - outer.top,
                                nullptr, nullptr, backend.instance, nullptr);
  if (window == nullptr) backend.window = nullptr;  // destroyed during its own creation
  return win32::handleOf(window);
}

bool getDesktopSize(int32_t* width, int32_t* height) {
  becomeDpiAware();
  const RECT monitor = startMonitorRect();
  *width = monitor.right - monitor.left;
  *height = monitor.bottom - monitor.top;
  return *width > 0 && *height > 0;
}

bool watchFile(WindowHandle window, const char* path) {
  stopWatchingFile();
  if (window == nullptr || path == nullptr) return false;
  const size_t length = strnlen(path, kWatchPathSize);
  if (length == 0 || length >= kWatchPathSize) return false;
  std::memcpy(watchedPath, path, length + 1);
  lastSeen = readFileState();
  changePending = false;
  if (SetTimer(win32::windowOf(window), kWatchTimerId, kWatchPeriodMs, nullptr) == 0) return false;
  watchWindow = win32::windowOf(window);
  return true;
}

void stopWatchingFile() {
  if (watchWindow != nullptr) KillTimer(watchWindow, kWatchTimerId);
  watchWindow = nullptr;
}

}  // namespace platform
