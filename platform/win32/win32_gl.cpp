// Win32 backend: the OpenGL binding through GDI and WGL: the device context, the pixel format
// (format 1's description with the viewer's colour, depth and buffering), the rendering
// context, the glyph lists from the system fixed-pitch font, and the buffer swap.
#include <GL/gl.h>

#include "platform/win32/glyph_repair.h"
#include "platform/win32/win32_backend.h"

namespace platform {

using win32::backend;

DeviceContextHandle getDeviceContext(WindowHandle window) {
  return reinterpret_cast<DeviceContextHandle>(GetDC(win32::windowOf(window)));
}

void releaseDeviceContext(WindowHandle window, DeviceContextHandle dc) {
  ReleaseDC(win32::windowOf(window), win32::deviceContextOf(dc));
}

int32_t choosePixelFormat(DeviceContextHandle dc, const PixelFormatRequest& request) {
  HDC device = win32::deviceContextOf(dc);
  PIXELFORMATDESCRIPTOR& wanted = backend.pixelFormat;
  wanted = {};
  // Format 1's description keeps the sizes not asked for (alpha, accumulation, stencil,
  // auxiliary buffers, layer type).
  DescribePixelFormat(device, 1, sizeof wanted, &wanted);
  static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the pixel-format record");
  wanted.nSize = sizeof wanted;
  wanted.nVersion = 1;
  wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL |
                   (request.doubleBuffer ? PFD_DOUBLEBUFFER : 0);  // 0x25 with double buffer
  wanted.iPixelType = PFD_TYPE_RGBA;
  wanted.cColorBits = static_cast<BYTE>(request.colorBits);
  wanted.cDepthBits = static_cast<BYTE>(request.depthBits);
  wanted.dwLayerMask = 0;
  return ChoosePixelFormat(device, &wanted);
}

bool setPixelFormat(DeviceContextHandle dc, int32_t format) {
  HDC device = win32::deviceContextOf(dc);
  // A window keeps the format it was given first; a rebuild asking for it again is met.
  const int current = GetPixelFormat(device);
  if (current != 0) return current == format;
  return SetPixelFormat(device, format, &backend.pixelFormat) != FALSE;
}

RenderingContextHandle createRenderingContext(DeviceContextHandle dc) {
  return reinterpret_cast<RenderingContextHandle>(wglCreateContext(win32::deviceContextOf(dc)));
}

bool makeCurrent(DeviceContextHandle dc, RenderingContextHandle rc) {
  return wglMakeCurrent(win32::deviceContextOf(dc), win32::renderingContextOf(rc)) != FALSE;
}

void deleteRenderingContext(RenderingContextHandle rc) {
  if (rc != nullptr) wglDeleteContext(win32::renderingContextOf(rc));
}

}  // namespace platform

namespace {

// Glyph lists from the font selected into `device`.
bool buildListsFromSelectedFont(HDC device, uint32_t firstCode, uint32_t count, uint32_t listBase) {
  // Some drivers refuse the first call after a context is made current: ask twice.
  if (!wglUseFontBitmapsA(device, firstCode, count, listBase) &&
      !wglUseFontBitmapsA(device, firstCode, count, listBase)) {
    return false;
  }
  // The errors the system's call left (Wine: out of memory for each blank glyph) are those
  // the repair below makes good; the flags are cleared so no later check takes them up.
  for (int flags = 0; flags < 8 && glGetError() != GL_NO_ERROR; ++flags) {
  }
  static int32_t advances[256];
  const uint32_t measured = count < 256 ? count : 256;
  for (uint32_t i = 0; i < measured; ++i) {
    INT width = 0;
    const UINT code = firstCode + i;
    advances[i] = GetCharWidth32A(device, code, code, &width) ? width : 0;
  }
  win32::repairGlyphAdvances(listBase, measured, advances);
  return true;
}

}  // namespace

namespace platform {

bool buildGlyphLists(DeviceContextHandle dc, uint32_t firstCode, uint32_t count,
                     uint32_t listBase) {
  HDC device = win32::deviceContextOf(dc);
  SelectObject(device, GetStockObject(SYSTEM_FIXED_FONT));
  return buildListsFromSelectedFont(device, firstCode, count, listBase);
}

bool buildGlyphListsAtHeight(DeviceContextHandle dc, uint32_t firstCode, uint32_t count,
                             uint32_t listBase, int32_t pixelHeight) {
  HDC device = win32::deviceContextOf(dc);
  // A fixed-pitch font whose cell is pixelHeight tall, drawn without smoothing, as glyph
  // bitmaps are one bit deep.
  HFONT font = CreateFontA(pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                           FIXED_PITCH | FF_MODERN, "Courier New");
  if (font == nullptr) return buildGlyphLists(dc, firstCode, count, listBase);
  HGDIOBJ previous = SelectObject(device, font);
  const bool built = buildListsFromSelectedFont(device, firstCode, count, listBase);
  SelectObject(device, previous);
  DeleteObject(font);
  return built;
}

void deleteGlyphLists(uint32_t listBase, uint32_t count) {
  glDeleteLists(listBase, static_cast<GLsizei>(count));
}

void swapBuffers(DeviceContextHandle dc) {
  SwapBuffers(win32::deviceContextOf(dc));
}

}  // namespace platform
