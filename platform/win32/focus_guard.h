// Win32 backend: which activation changes reach the window procedure. A modal box takes the
// activation from the viewer window and gives it back; those two changes are not the user
// switching windows, so a box shown on activation (a refused display mode) cannot bring
// itself back for ever. Only lasting changes are delivered, each once.
#pragma once

#include <cstdint>

namespace win32 {

struct FocusGuard {
  uint32_t boxDepth;     // boxes open now (a box may open while another is up)
  bool deliveredActive;  // the state the window procedure last heard of; inactive at start
};

// True when an activation message saying `active` goes to the window procedure: no box is
// up and it changes what the procedure last heard. Records it as delivered.
bool deliverActivation(FocusGuard& guard, bool active);

void beginBox(FocusGuard& guard);

// A box has gone and the window now has (or has not) the activation. Returns 1 or 0 when
// that differs from what the procedure last heard (an activation to deliver), -1 otherwise.
int32_t endBox(FocusGuard& guard, bool activeNow);

}  // namespace win32
