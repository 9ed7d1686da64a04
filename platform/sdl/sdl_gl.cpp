// SDL2 backend: the display-mode switch and restore, and the OpenGL binding (pixel format,
// context, glyph lists, buffer swap). The device context is the SDL window itself.
#include <GL/gl.h>

#include "platform/sdl/glyph_lists.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// The display's own mode of the requested size: the requested depth if it has one, else
// any depth, since an X screen keeps one colour depth for all of its modes.
bool findMode(int display, const platform::DisplayMode& wanted, SDL_DisplayMode* out) {
  bool found = false;
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
    if (mode.w != wanted.width || mode.h != wanted.height) continue;
    if (static_cast<int32_t>(SDL_BITSPERPIXEL(mode.format)) == wanted.bitsPerPixel) {
      *out = mode;
      return true;
    }
    if (!found) *out = mode;
    found = true;
  }
  // A screen already at the wanted size needs no switch, even when its mode list does not
  // offer that size (a busy Xvfb's list has been seen to lack its own 640 x 480 now and then).
  SDL_DisplayMode desktop;
  if (!found && SDL_GetDesktopDisplayMode(display, &desktop) == 0 && desktop.w == wanted.width &&
      desktop.h == wanted.height) {
    *out = desktop;
    found = true;
  }
  return found;
}

}  // namespace

namespace platform {

int32_t changeDisplayMode(const DisplayMode* mode) {
  SDL_Window* window = sdl::backend.window;
  if (window == nullptr) return -1;
  if (mode == nullptr) {
    const int32_t result = SDL_SetWindowFullscreen(window, 0) == 0 ? 0 : -1;
    if (result == 0) sdl::reportDisplayMode(false);
    return result;
  }
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0) return -1;
  SDL_DisplayMode chosen;
  if (!findMode(display, *mode, &chosen)) return -2;
  if (SDL_SetWindowDisplayMode(window, &chosen) != 0) return -1;
  // Reported first: a switch that fails half-way may still have changed the mode.
  sdl::reportDisplayMode(true);
  if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) return -1;
  return 0;
}

DeviceContextHandle getDeviceContext(WindowHandle window) {
  return reinterpret_cast<DeviceContextHandle>(window);
}

void releaseDeviceContext(WindowHandle, DeviceContextHandle) {}

int32_t choosePixelFormat(DeviceContextHandle dc, const PixelFormatRequest& request) {
  // The visual was chosen with the window; a single-buffered request cannot be met.
  if (sdl::windowOf(dc) == nullptr || !request.doubleBuffer) return 0;
  return 1;
}

bool setPixelFormat(DeviceContextHandle dc, int32_t format) {
  return sdl::windowOf(dc) != nullptr && format == 1;
}

RenderingContextHandle createRenderingContext(DeviceContextHandle dc) {
  SDL_Window* window = sdl::windowOf(dc);
  if (window == nullptr) return nullptr;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) return nullptr;
  // Frames are drawn back to back: no waiting for the vertical blank.
  SDL_GL_SetSwapInterval(0);
  return reinterpret_cast<RenderingContextHandle>(context);
}

bool makeCurrent(DeviceContextHandle dc, RenderingContextHandle rc) {
  SDL_Window* window = sdl::windowOf(dc);
  if (rc == nullptr) return SDL_GL_MakeCurrent(window, nullptr) == 0;
  if (window == nullptr) return false;
  return SDL_GL_MakeCurrent(window, reinterpret_cast<SDL_GLContext>(rc)) == 0;
}

void deleteRenderingContext(RenderingContextHandle rc) {
  if (rc != nullptr) SDL_GL_DeleteContext(reinterpret_cast<SDL_GLContext>(rc));
}

bool buildGlyphLists(DeviceContextHandle, uint32_t firstCode, uint32_t count, uint32_t listBase) {
  return buildFontGlyphLists(firstCode, count, listBase);
}

bool buildGlyphListsAtHeight(DeviceContextHandle, uint32_t firstCode, uint32_t count,
                             uint32_t listBase, int32_t pixelHeight) {
  return buildFontGlyphLists(firstCode, count, listBase, pixelHeight);
}

void deleteGlyphLists(uint32_t listBase, uint32_t count) {
  glDeleteLists(listBase, static_cast<GLsizei>(count));
}

void swapBuffers(DeviceContextHandle dc) {
  // A frame ends the main loop's pass: the next look for messages takes new SDL events.
  sdl::backend.pumpedThisPass = false;
  SDL_Window* window = sdl::windowOf(dc);
  if (window != nullptr) SDL_GL_SwapWindow(window);
}

}  // namespace platform
