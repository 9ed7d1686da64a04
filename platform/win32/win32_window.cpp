// Win32 backend: the window class and the one window, the native window procedure, and the
// message loop's calls. Native messages reach DefWindowProcA and DispatchMessageA whole.
#include "platform/win32/win32_backend.h"

namespace win32 {

Backend backend = {};

namespace {

// A pop-up with a thin border, keeping clear of sibling and child windows.
constexpr DWORD kViewerWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER;
static_assert(kViewerWindowStyle == 0x86800000u, "pop-up, clip siblings and children, border");

}  // namespace

LRESULT CALLBACK nativeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (backend.window == nullptr) backend.window = window;  // messages before creation returns
  if (backend.procedure == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_TIMER && pollWatchedFile(wParam)) return 0;
  if (message == WM_ACTIVATE && !deliverActivation(backend.focus, LOWORD(wParam) != 0)) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const NativeMessage native = {window, message, wParam, lParam};
  beginMessage(backend.inFlight, native);
  const int32_t result = backend.procedure(handleOf(window), message, static_cast<uint32_t>(wParam),
                                           static_cast<uint32_t>(lParam));
  const int64_t whole = windowProcResult(backend.inFlight, result);
  endMessage(backend.inFlight);
  if (message == WM_NCDESTROY && window == backend.window) backend.window = nullptr;
  return static_cast<LRESULT>(whole);
}

MSG nativeMessageFor(const platform::Message& message) {
  const MSG& taken = backend.lastTaken;
  if (backend.hasLastTaken &&
      viewMatches({taken.hwnd, taken.message, taken.wParam, taken.lParam}, message.window,
                  message.message, message.wParam, message.lParam)) {
    return taken;
  }
  const NativeMessage wide =
      widenView(message.window, message.message, message.wParam, message.lParam);
  MSG built = {};
  built.hwnd = static_cast<HWND>(wide.window);
  built.message = wide.message;
  built.wParam = static_cast<WPARAM>(wide.wParam);
  built.lParam = static_cast<LPARAM>(wide.lParam);
  return built;
}

}  // namespace win32

namespace platform {

using win32::backend;

bool registerWindowClass(const WindowClass& windowClass) {
  if (windowClass.procedure == nullptr || windowClass.className == nullptr) return false;
  backend.instance = GetModuleHandleA(nullptr);
  backend.procedure = windowClass.procedure;
  WNDCLASSA native = {};
  native.style = 0;
  native.lpfnWndProc = win32::nativeWindowProc;
  native.hInstance = backend.instance;
  native.hIcon = LoadIconA(backend.instance, windowClass.className);  // none: no resources
  native.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  native.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  native.lpszMenuName = windowClass.className;  // no such menu: the window has none
  native.lpszClassName = windowClass.className;
  return RegisterClassA(&native) != 0;
}

WindowHandle createWindow(const WindowParams& params) {
  if (backend.procedure == nullptr || backend.window != nullptr) return nullptr;
  const DWORD extendedStyle = params.topMost ? WS_EX_TOPMOST : 0;
  HWND window = CreateWindowExA(extendedStyle, params.className, params.title,
                                win32::kViewerWindowStyle, params.x, params.y, params.width,
                                params.height, nullptr, nullptr, backend.instance, nullptr);
  if (window == nullptr) backend.window = nullptr;  // destroyed during its own creation
  return win32::handleOf(window);
}

void showWindow(WindowHandle window, int32_t showCommand) {
  ShowWindow(win32::windowOf(window), showCommand);
}

void updateWindow(WindowHandle window) {
  UpdateWindow(win32::windowOf(window));
}

void destroyWindow(WindowHandle window) {
  DestroyWindow(win32::windowOf(window));
}

bool getClientSize(WindowHandle window, int32_t* width, int32_t* height) {
  RECT client = {};
  if (!GetClientRect(win32::windowOf(window), &client)) return false;
  *width = client.right;
  *height = client.bottom;
  return true;
}

void validateWindow(WindowHandle window) {
  PAINTSTRUCT paint;
  BeginPaint(win32::windowOf(window), &paint);
  EndPaint(win32::windowOf(window), &paint);
}

bool peekMessage() {
  MSG waiting;
  return PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

bool getMessage(Message* out) {
  MSG& native = backend.lastTaken;
  const BOOL taken = GetMessageA(&native, nullptr, 0, 0);
  backend.hasLastTaken = taken > 0;
  *out = {win32::handleOf(native.hwnd), native.message, static_cast<uint32_t>(native.wParam),
          static_cast<uint32_t>(native.lParam)};
  // -1 (an invalid call) ends the loop as the quit request does, rather than spin on it.
  return taken > 0;
}

void translateMessage(const Message& message) {
  const MSG native = win32::nativeMessageFor(message);
  TranslateMessage(&native);
}

int32_t dispatchMessage(const Message& message) {
  const MSG native = win32::nativeMessageFor(message);
  return static_cast<int32_t>(DispatchMessageA(&native));
}

void waitMessage() {
  WaitMessage();
}

void postQuitMessage(int32_t exitCode) {
  PostQuitMessage(exitCode);
}

int32_t defaultWindowProc(WindowHandle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  const win32::NativeMessage* current =
      win32::currentMessage(backend.inFlight, window, message, wParam, lParam);
  const win32::NativeMessage native =
      current != nullptr ? *current : win32::widenView(window, message, wParam, lParam);
  const LRESULT result =
      DefWindowProcA(static_cast<HWND>(native.window), native.message,
                     static_cast<WPARAM>(native.wParam), static_cast<LPARAM>(native.lParam));
  if (current != nullptr) win32::recordDefaultResult(backend.inFlight, result);
  return static_cast<int32_t>(result);
}

}  // namespace platform
