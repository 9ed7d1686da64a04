// Win32 backend: the stack of native messages in flight and the views that name them.
#include "platform/win32/message_forwarding.h"

namespace win32 {

bool viewMatches(const NativeMessage& native, const void* window, uint32_t message, uint32_t wParam,
                 uint32_t lParam) {
  return native.window == window && native.message == message &&
         static_cast<uint32_t>(native.wParam) == wParam &&
         static_cast<uint32_t>(native.lParam) == lParam;
}

NativeMessage widenView(void* window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  return {window, message, wParam, static_cast<int64_t>(static_cast<int32_t>(lParam))};
}

void beginMessage(InFlightMessages& inFlight, const NativeMessage& native) {
  if (inFlight.depth < kMaxNestedMessages) {
    inFlight.entries[inFlight.depth] = native;
    inFlight.hasDefaultResult[inFlight.depth] = false;
  }
  ++inFlight.depth;
}

void endMessage(InFlightMessages& inFlight) {
  if (inFlight.depth > 0) --inFlight.depth;
}

const NativeMessage* currentMessage(const InFlightMessages& inFlight, const void* window,
                                    uint32_t message, uint32_t wParam, uint32_t lParam) {
  // Deeper than the table keeps: the innermost message is not known.
  if (inFlight.depth == 0 || inFlight.depth > kMaxNestedMessages) return nullptr;
  const NativeMessage& innermost = inFlight.entries[inFlight.depth - 1];
  return viewMatches(innermost, window, message, wParam, lParam) ? &innermost : nullptr;
}

void recordDefaultResult(InFlightMessages& inFlight, int64_t result) {
  if (inFlight.depth == 0 || inFlight.depth > kMaxNestedMessages) return;
  inFlight.defaultResults[inFlight.depth - 1] = result;
  inFlight.hasDefaultResult[inFlight.depth - 1] = true;
}

int64_t windowProcResult(const InFlightMessages& inFlight, int32_t procedureResult) {
  if (inFlight.depth > 0 && inFlight.depth <= kMaxNestedMessages) {
    const uint32_t top = inFlight.depth - 1;
    const int64_t whole = inFlight.defaultResults[top];
    if (inFlight.hasDefaultResult[top] && static_cast<int32_t>(whole) == procedureResult) {
      return whole;
    }
  }
  return procedureResult;
}

}  // namespace win32
