// Win32 backend: the native messages in flight. The doorway sees a message's parameters as
// 32-bit values, but a 64-bit message may carry a pointer; the backend keeps the native
// message (they nest: handling one can send another) so that default processing and
// dispatching get it whole, and so that default processing's result goes back whole.
#pragma once

#include <cstdint>

namespace win32 {

struct NativeMessage {
  void* window;
  uint32_t message;
  uint64_t wParam;
  int64_t lParam;
};

inline constexpr uint32_t kMaxNestedMessages = 64;

struct InFlightMessages {
  NativeMessage entries[kMaxNestedMessages];
  int64_t defaultResults[kMaxNestedMessages];
  bool hasDefaultResult[kMaxNestedMessages];
  uint32_t depth;  // may pass the capacity; only the first kMaxNestedMessages are kept
};

// True when the doorway's view (window, number, low 32 bits of each parameter) is `native`.
bool viewMatches(const NativeMessage& native, const void* window, uint32_t message, uint32_t wParam,
                 uint32_t lParam);

// The native message for a view that names no message in flight: wParam widened with
// zeros, lParam with its sign, as a 32-bit program's values would be.
NativeMessage widenView(void* window, uint32_t message, uint32_t wParam, uint32_t lParam);

// The window procedure starts and ends handling `native`.
void beginMessage(InFlightMessages& inFlight, const NativeMessage& native);
void endMessage(InFlightMessages& inFlight);

// The innermost message in flight when the view names it, else null.
const NativeMessage* currentMessage(const InFlightMessages& inFlight, const void* window,
                                    uint32_t message, uint32_t wParam, uint32_t lParam);

// Default processing of the innermost message returned `result`.
void recordDefaultResult(InFlightMessages& inFlight, int64_t result);

// What the window procedure returns for the innermost message when the doorway's procedure
// returned `procedureResult`: default processing's whole result when that is what came back.
int64_t windowProcResult(const InFlightMessages& inFlight, int32_t procedureResult);

}  // namespace win32
