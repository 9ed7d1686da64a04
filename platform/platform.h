// The only doorway to the desktop: window and messages, keyboard state and pointer, the
// timer, the open-file dialog and message boxes, the display mode, and the OpenGL context
// with its glyph lists. One backend implements it per platform (platform/sdl/ on Linux,
// platform/win32/ on Windows); the tests link a recording double instead. Nothing above
// this header sees a window-system header.
#pragma once

#include <cstdint>

namespace platform {

struct Window;
struct DeviceContext;
struct RenderingContext;
using WindowHandle = Window*;
using DeviceContextHandle = DeviceContext*;
using RenderingContextHandle = RenderingContext*;

// Message numbers the window procedure understands (the desktop's own vocabulary).
inline constexpr uint32_t kWmCreate = 1;
inline constexpr uint32_t kWmDestroy = 2;
inline constexpr uint32_t kWmActivate = 6;  // wParam low 16 bits: 0 inactive, 1 active, 2 click
inline constexpr uint32_t kWmPaint = 15;
inline constexpr uint32_t kWmClose = 16;
inline constexpr uint32_t kWmQuit = 18;
inline constexpr uint32_t kWmKeyDown = 256;  // wParam: virtual-key code
// A key pressed with Alt (a system key): wParam the virtual-key code. The window procedure
// leaves it to default processing, which closes the window on Alt+F4.
inline constexpr uint32_t kWmSysKeyDown = 260;
inline constexpr uint32_t kWmTimer = 275;      // wParam: timer id
inline constexpr uint32_t kWmMouseMove = 512;  // lParam: client x low, y high 16 bits

using WindowProc = int32_t (*)(WindowHandle window, uint32_t message, uint32_t wParam,
                               uint32_t lParam);

struct Message {
  WindowHandle window;
  uint32_t message;
  uint32_t wParam;
  uint32_t lParam;
};

struct WindowClass {
  const char* className;
  WindowProc procedure;
};

struct WindowParams {
  const char* className;
  const char* title;
  bool topMost;
  int x, y, width, height;
};

// The open-file request: one filter pair, a caller-owned name buffer that proposes a name
// and receives the chosen full path, and the folder the dialog starts in. A chosen path that
// does not fit the buffer is never cut into another path: the dialog sets nameTooLong and
// leaves a shortened form ending in "..." for display only.
struct OpenFileRequest {
  WindowHandle owner;
  const char* filterLabel;    // "DNL Files"
  const char* filterPattern;  // "*.dnl"
  int32_t filterIndex;
  char* fileName;
  uint32_t fileNameCapacity;  // bytes, terminator included
  const char* initialDir;
  bool nameTooLong;
};

// Display-mode request: size in pixels and colour depth; no refresh rate.
struct DisplayMode {
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel;
};

// Pixel-format request for the window's OpenGL drawable.
struct PixelFormatRequest {
  int32_t colorBits;
  int32_t depthBits;
  bool doubleBuffer;
};

// --- Entry --- The backend owns the process entry (main, WinMain) and calls this, which
// the program defines, with the command line and the window's show command; its result is
// the exit status.
int32_t runProgram(int32_t argumentCount, char** arguments, int32_t showCommand);

// --- Window ---
bool registerWindowClass(const WindowClass& windowClass);
// Delivers kWmCreate to the procedure before it returns; null on failure, including a
// window destroyed during its own creation.
WindowHandle createWindow(const WindowParams& params);
void showWindow(WindowHandle window, int32_t showCommand);
void updateWindow(WindowHandle window);
// Delivers kWmDestroy to the procedure.
void destroyWindow(WindowHandle window);
bool getClientSize(WindowHandle window, int32_t* width, int32_t* height);
// Paint handling: validates the window without drawing.
void validateWindow(WindowHandle window);

// --- Messages ---
bool peekMessage();             // true when a message waits; it stays queued
bool getMessage(Message* out);  // false for the quit request
void translateMessage(const Message& message);
int32_t dispatchMessage(const Message& message);
void waitMessage();
void postQuitMessage(int32_t exitCode);
int32_t defaultWindowProc(WindowHandle window, uint32_t message, uint32_t wParam, uint32_t lParam);

// --- Input ---
// Fills 256 bytes by virtual-key code, mouse buttons included; bit 0x80 set while held.
bool readKeyboardState(uint8_t state[256]);
// Moves the pointer to (x, y) in the viewer window's client coordinates, the coordinates in
// which pointer-move messages arrive, wherever the window stands on the screen.
void setCursorPos(int32_t x, int32_t y);
void showCursor(bool show);

// --- Timer --- ticks arrive as kWmTimer messages with the id in wParam.
bool setTimer(WindowHandle window, uint32_t id, uint32_t periodMs);

// --- Dialog and message box ---
bool showOpenFileDialog(OpenFileRequest* request);  // false on cancel or failure
void showMessageBox(WindowHandle owner, const char* text, const char* title);

// --- Display mode --- null restores the user's mode. Results: 0 success, 1 restart needed,
// -1 failed, -2 mode not supported, -3 not updated, -4 bad flags.
int32_t changeDisplayMode(const DisplayMode* mode);

// --- OpenGL ---
DeviceContextHandle getDeviceContext(WindowHandle window);
void releaseDeviceContext(WindowHandle window, DeviceContextHandle dc);
int32_t choosePixelFormat(DeviceContextHandle dc, const PixelFormatRequest& request);  // 0: none
bool setPixelFormat(DeviceContextHandle dc, int32_t format);
RenderingContextHandle createRenderingContext(DeviceContextHandle dc);
bool makeCurrent(DeviceContextHandle dc, RenderingContextHandle rc);
void deleteRenderingContext(RenderingContextHandle rc);
// One display list per character code, first..first+count-1 at listBase+code, each drawing
// its glyph with glBitmap and advancing the raster position (fixed pitch).
bool buildGlyphLists(DeviceContextHandle dc, uint32_t firstCode, uint32_t count, uint32_t listBase);
// Deletes lists listBase..listBase+count-1 of the current context.
void deleteGlyphLists(uint32_t listBase, uint32_t count);
void swapBuffers(DeviceContextHandle dc);

// --- A window of any size, the whole desktop, a watched level file ---
// The client area's new size: lParam width low, height high 16 bits.
inline constexpr uint32_t kWmSize = 5;
// The watched file was written or replaced (a private message number).
inline constexpr uint32_t kWmFileChanged = 0x8000;

// How createFramedWindow makes its window. decorated and resizable: a normal window that
// the window manager frames and moves like any other. coversDesktop: the whole monitor at
// the desktop's own resolution. Neither ever switches the display mode.
struct WindowFrame {
  bool decorated;
  bool resizable;
  bool coversDesktop;
};

// createWindow with a frame; params.width and height are the client size.
WindowHandle createFramedWindow(const WindowParams& params, const WindowFrame& frame);
// The size of the desktop on the monitor the viewer starts on.
bool getDesktopSize(int32_t* width, int32_t* height);
// Watches the file at `path` for a write in place or a new file renamed over it; each change
// arrives at `window` as kWmFileChanged. One file at a time: a later call replaces it.
bool watchFile(WindowHandle window, const char* path);
void stopWatchingFile();
// buildGlyphLists with glyphs in a cell `pixelHeight` pixels tall, advancing by the cell's
// width (8 pixels at the 480-line screen's height of 13).
bool buildGlyphListsAtHeight(DeviceContextHandle dc, uint32_t firstCode, uint32_t count,
                             uint32_t listBase, int32_t pixelHeight);

}  // namespace platform

namespace platform {

// --- Pictures without a screen, and where pictures go ---
// An OpenGL context with a drawing buffer of its own, width x height pixels (8 bits per
// colour channel, 16 depth bits), made current with no window on screen and no display
// needed; its device context serves buildGlyphLists. Null when none can be had.
DeviceContextHandle createOffscreenContext(int32_t width, int32_t height);
// Releases the context and its buffer (null: nothing).
void destroyOffscreenContext(DeviceContextHandle dc);

// The user's pictures folder, when the desktop names one that exists and is not the home
// folder, copied into `out` (terminated); false otherwise, or when it does not fit.
bool findPicturesFolder(char* out, uint32_t capacity);

}  // namespace platform
