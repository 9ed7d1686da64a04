// Shared state of the Win32 backend of the platform doorway, seen only by the backend's own
// files: the one window and its procedure, the native messages in flight and the last one
// taken, the activation guard, and the pixel format asked for last.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/win32/focus_guard.h"
#include "platform/win32/message_forwarding.h"

namespace win32 {

struct Backend {
  HINSTANCE instance;
  platform::WindowProc procedure;
  HWND window;
  MSG lastTaken;  // the native message getMessage handed out last
  bool hasLastTaken;
  InFlightMessages inFlight;
  FocusGuard focus;
  PIXELFORMATDESCRIPTOR pixelFormat;  // the request of the last choosePixelFormat
};

extern Backend backend;

// The window procedure registered with the class: hands each message to the doorway's
// procedure with the native message kept in flight.
LRESULT CALLBACK nativeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Handles a tick of the file watch's timer (true), announcing a change of the watched file
// to its window once the file has stopped changing; false for any other timer.
bool pollWatchedFile(UINT_PTR timerId);

// The native message for a doorway message: the one taken last when it names it.
MSG nativeMessageFor(const platform::Message& message);

inline platform::WindowHandle handleOf(HWND window) {
  return reinterpret_cast<platform::WindowHandle>(window);
}
inline HWND windowOf(platform::WindowHandle handle) {
  return reinterpret_cast<HWND>(handle);
}
inline HDC deviceContextOf(platform::DeviceContextHandle handle) {
  return reinterpret_cast<HDC>(handle);
}
inline HGLRC renderingContextOf(platform::RenderingContextHandle handle) {
  return reinterpret_cast<HGLRC>(handle);
}

}  // namespace win32
