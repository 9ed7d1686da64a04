// Win32 backend: keyboard state, pointer, timer, the open-file dialog, message boxes and the
// display mode, each the Windows call itself.
#include "platform/win32/file_filter.h"
#include "platform/win32/win32_backend.h"
// The common dialogs need windows.h first.
#include <commdlg.h>

#include <cstdio>

namespace {

bool viewerIsActive() {
  return win32::backend.window != nullptr && GetActiveWindow() == win32::backend.window;
}

// After a box the desktop may hand the activation back a moment later: take the messages it
// sends meanwhile (the guard still holds them) for at most a quarter of a second.
void awaitActivationAfterBox(bool wasActive) {
  MSG sent;
  for (int waited = 0; wasActive && !viewerIsActive() && waited < 250; waited += 10) {
    PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(10);
  }
  PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Runs a modal box or dialog; the activation changes it causes reach the window procedure
// only when they last, as one activation message.
template <typename Show>
auto whileBoxIsUp(Show show) {
  const bool wasActive = viewerIsActive();
  win32::beginBox(win32::backend.focus);
  const auto result = show();
  awaitActivationAfterBox(wasActive);
  const int32_t change = win32::endBox(win32::backend.focus, viewerIsActive());
  if (change >= 0 && win32::backend.window != nullptr) {
    PostMessageA(win32::backend.window, WM_ACTIVATE, static_cast<WPARAM>(change), 0);
  }
  return result;
}

static_assert(sizeof(DEVMODEA) == 156, "the display-mode record");
static_assert((DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS) == 0x3C0000,
              "size, depth and display flags present; no refresh rate");

}  // namespace

namespace platform {

using win32::backend;

bool readKeyboardState(uint8_t state[256]) {
  return GetKeyboardState(state) != 0;
}

void setCursorPos(int32_t x, int32_t y) {
  // Client coordinates, as pointer moves arrive: the window's border offsets them from the
  // screen's, so the re-centring's own move lands back on (x, y).
  POINT point = {x, y};
  if (backend.window != nullptr) ClientToScreen(backend.window, &point);
  SetCursorPos(point.x, point.y);
}

void showCursor(bool show) {
  ShowCursor(show ? TRUE : FALSE);
}

bool setTimer(WindowHandle window, uint32_t id, uint32_t periodMs) {
  return SetTimer(win32::windowOf(window), id, periodMs, nullptr) != 0;
}

bool showOpenFileDialog(OpenFileRequest* request) {
  if (request->fileName == nullptr || request->fileNameCapacity == 0) return false;
  static char filter[128];
  if (!win32::buildFileFilter(request->filterLabel, request->filterPattern, filter,
                              sizeof filter)) {
    return false;
  }
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = win32::windowOf(request->owner);
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = static_cast<DWORD>(request->filterIndex);
  dialog.lpstrFile = request->fileName;
  dialog.nMaxFile = request->fileNameCapacity;
  dialog.lpstrInitialDir = request->initialDir;
  request->nameTooLong = false;
  const BOOL chosen = whileBoxIsUp([&dialog] { return GetOpenFileNameA(&dialog); });
  if (chosen != 0) return true;
  if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) return false;
  // The buffer then holds the size it needed, not a path: leave a text that names none.
  request->nameTooLong = true;
  std::snprintf(request->fileName, request->fileNameCapacity, "%s", "...");
  return true;
}

void showMessageBox(WindowHandle owner, const char* text, const char* title) {
  // Also on the error stream, where there is one (a console, Wine, a test's log).
  std::fprintf(stderr, "%s: %s\n", title, text);
  whileBoxIsUp([=] { return MessageBoxA(win32::windowOf(owner), text, title, MB_OK); });
}

int32_t changeDisplayMode(const DisplayMode* mode) {
  if (mode == nullptr) return ChangeDisplaySettingsA(nullptr, 0);
  DEVMODEA request = {};
  request.dmSize = sizeof request;
  request.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS;
  request.dmBitsPerPel = static_cast<DWORD>(mode->bitsPerPixel);
  request.dmPelsWidth = static_cast<DWORD>(mode->width);
  request.dmPelsHeight = static_cast<DWORD>(mode->height);
  request.dmDisplayFlags = 0;
  return ChangeDisplaySettingsA(&request, 0);
}

}  // namespace platform
