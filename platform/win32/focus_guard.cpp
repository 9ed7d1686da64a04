// Win32 backend: activation changes held back while a box is up, delivered once after.
#include "platform/win32/focus_guard.h"

namespace win32 {

bool deliverActivation(FocusGuard& guard, bool active) {
  if (guard.boxDepth > 0 || active == guard.deliveredActive) return false;
  guard.deliveredActive = active;
  return true;
}

void beginBox(FocusGuard& guard) {
  ++guard.boxDepth;
}

int32_t endBox(FocusGuard& guard, bool activeNow) {
  if (guard.boxDepth > 0) --guard.boxDepth;
  if (guard.boxDepth > 0 || activeNow == guard.deliveredActive) return -1;
  return activeNow ? 1 : 0;
}

}  // namespace win32
