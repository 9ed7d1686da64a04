// The overlay's texts. Inputs that the shell writes (fpsText, levelPath) are read with a
// precision bound, so an unterminated buffer is never read past its end.
#include "render/overlay_text.h"

#include <cstdarg>
#include <cstdio>

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "platform/screen.h"
#include "render/view_constants.h"

namespace {

// snprintf returns the length it wanted, which can exceed the buffer: clamp to what stands.
int32_t clampWritten(int written, size_t size) {
  if (written < 0 || size == 0) return 0;
  if (static_cast<size_t>(written) >= size) return static_cast<int32_t>(size - 1);
  return written;
}

__attribute__((format(printf, 3, 4))) int32_t formatInto(char* out, size_t size, const char* format,
                                                         ...) {
  if (out == nullptr || size == 0) return 0;
  va_list arguments;
  va_start(arguments, format);
  const int written = std::vsnprintf(out, size, format, arguments);
  va_end(arguments);
  return clampWritten(written, size);
}

const char* flagText(int32_t flag) {
  return flag == 1 ? "ON" : "OFF";
}

// Widened for printing; adding zero turns a negative zero (the pitch after a reset) into
// zero, so the line shows 000 rather than -00.
double shown(float value) {
  return static_cast<double>(value) + 0.0;
}

}  // namespace

int32_t formatStatusLine(char* out, size_t size) {
  return formatInto(out, size,
                    "F1=Help %.127s POS=(X,Y,Z)=(%05.0f,%05.0f,%05.0f) "
                    "DIR=(H,P,B)=(%03.0f,%03.0f,%03.0f)",
                    frameStats.fpsText, shown(camera.position[0]), shown(camera.position[1]),
                    shown(camera.position[2]), shown(camera.heading), shown(camera.pitch),
                    shown(camera.bank));
}

// The help lines that take no arguments, by line number; null where a line is formatted.
constexpr const char* kFixedHelpLines[kHelpLineCount] = {
    nullptr,
    nullptr,
    "MOVEMENT : Arrow Keys=Forward/Back/Slide Left/Slide Right  NUM1/0=Up/Down",
    "ROTATION : Heading=X Mouse, Pitch=Y Mouse, Bank=Left/Right Mouse Buttons",
    "FUNCTIONS: Esc=Exit    R=Reset View    F6=Load Level",
    "TOGGLES  : F1=Help    1=Light    2=Fog    3=Cull    4=Text",
    nullptr,
    "SPEEDS   : (Dec/Inc) Movement=[/]   Rot Mouse buttons=-/+   Rot Mouse X,Y=</>",
    "MISC     : (Halve/Double) Back Plane=9/0",
};

int32_t formatHelpLine(int32_t line, char* out, size_t size) {
  if (line < 0 || line >= kHelpLineCount) {
    if (out != nullptr && size > 0) out[0] = '\0';
    return 0;
  }
  // Fixed lines pass through the formatter too, which leaves them unchanged.
  if (kFixedHelpLines[line] != nullptr) return formatInto(out, size, "%s", kFixedHelpLines[line]);
  const ViewSettings& v = viewSettings;
  switch (line) {
    case 0:
      return formatInto(out, size, "LEVEL    : %.127s", levelPath);
    case 1:
      return formatInto(out, size, "MODE     : %d X %d X %d", kScreenWidth, kScreenHeight,
                        kScreenBitsPerPixel);
    default:
      // The first column stands under "F1=Help" but shows the status-line toggle.
      return formatInto(out, size,
                        "STATE    :    %-3.3s       %-3.3s        %-3.3s      %-3.3s       %-3.3s",
                        flagText(v.showStatus), flagText(v.lightingOn), flagText(v.fogOn),
                        flagText(v.cullOn), flagText(v.showStatus));
  }
}

float helpLineY(int32_t line) {
  return 160.0f - 10.0f * static_cast<float>(line);
}

int32_t formatItemLabel(int32_t objectId, char* out, size_t size) {
  return formatInto(out, size, kItemLabelFormat, static_cast<unsigned>(objectId));
}
