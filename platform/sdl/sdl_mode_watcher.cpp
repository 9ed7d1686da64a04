// SDL2 backend: a small watcher process, forked before any mode switch, that puts the
// user's screen layout (RandR CRTC modes) back when the viewer ends without having done so
// itself: killed with SIGKILL, crashed, or ended from a signal handler while a box was up.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/sdl/sdl_backend.h"

namespace {

constexpr int kMaxCrtcs = 16;
constexpr int kMaxOutputs = 16;
constexpr char kModeChanged = 'C';
constexpr char kModeRestored = 'R';

struct SavedCrtc {
  RRCrtc crtc;
  RRMode mode;
  int x, y;
  Rotation rotation;
  RROutput outputs[kMaxOutputs];
  int outputCount;
};

struct SavedLayout {
  int screenWidth, screenHeight, screenWidthMm, screenHeightMm;
  SavedCrtc crtcs[kMaxCrtcs];
  int crtcCount;
};

SavedLayout saved = {};
int stateSocket = -1;  // the viewer's end; the watcher reads the other
pid_t viewerProcess = 0;

int ignoreError(Display*, XErrorEvent*) {
  return 0;
}

// Reads the screen size and every CRTC's mode, position, rotation and outputs.
bool saveLayout(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) return false;
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (resources == nullptr) return false;
  saved.screenWidth = DisplayWidth(display, screen);
  saved.screenHeight = DisplayHeight(display, screen);
  saved.screenWidthMm = DisplayWidthMM(display, screen);
  saved.screenHeightMm = DisplayHeightMM(display, screen);
  saved.crtcCount = 0;
  for (int i = 0; i < resources->ncrtc && saved.crtcCount < kMaxCrtcs; ++i) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
    if (info == nullptr) continue;
    SavedCrtc& crtc = saved.crtcs[saved.crtcCount++];
    crtc = {resources->crtcs[i], info->mode, info->x, info->y, info->rotation, {}, 0};
    for (int k = 0; k < info->noutput && k < kMaxOutputs; ++k) {
      crtc.outputs[crtc.outputCount++] = info->outputs[k];
    }
    XRRFreeCrtcInfo(info);
  }
  XRRFreeScreenResources(resources);
  return saved.crtcCount > 0;
}

// Puts back every CRTC that differs from the saved layout, the screen size first.
void restoreLayout(Display* display) {
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  XSetErrorHandler(ignoreError);
  if (DisplayWidth(display, screen) != saved.screenWidth ||
      DisplayHeight(display, screen) != saved.screenHeight) {
    XRRSetScreenSize(display, root, saved.screenWidth, saved.screenHeight, saved.screenWidthMm,
                     saved.screenHeightMm);
  }
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (resources == nullptr) return;
  for (int i = 0; i < saved.crtcCount; ++i) {
    SavedCrtc& crtc = saved.crtcs[i];
    XRRCrtcInfo* now = XRRGetCrtcInfo(display, resources, crtc.crtc);
    const bool same = now != nullptr && now->mode == crtc.mode && now->x == crtc.x &&
                      now->y == crtc.y && now->rotation == crtc.rotation;
    if (now != nullptr) XRRFreeCrtcInfo(now);
    if (same) continue;
    XRRSetCrtcConfig(display, resources, crtc.crtc, CurrentTime, crtc.x, crtc.y, crtc.mode,
                     crtc.rotation, crtc.outputCount > 0 ? crtc.outputs : nullptr,
                     crtc.outputCount);
  }
  XRRFreeScreenResources(resources);
  XSync(display, False);
}

// The watcher's life: follows the viewer's reports until its end of the socket closes, then
// restores the layout if the last report was a changed mode.
[[noreturn]] void watch(int socket) {
  signal(SIGINT, SIG_IGN);  // a terminal's Ctrl+C reaches the whole group; the viewer acts
  signal(SIGTERM, SIG_IGN);
  signal(SIGHUP, SIG_IGN);
  char last = kModeRestored;
  for (;;) {
    char report[64];
    const ssize_t got = read(socket, report, sizeof report);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    last = report[got - 1];
  }
  if (last == kModeChanged) {
    Display* display = XOpenDisplay(nullptr);
    if (display != nullptr) {
      restoreLayout(display);
      XCloseDisplay(display);
    }
  }
  _exit(0);
}

// Runs in every process the viewer forks later (SDL shows its boxes from one): such a child
// must not keep the watcher waiting, nor outlive the viewer with a box nobody answers.
void inForkedChild() {
  if (stateSocket >= 0) close(stateSocket);
  stateSocket = -1;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != viewerProcess) _exit(0);  // the viewer ended before the line above
}

}  // namespace

namespace sdl {

void startModeWatcher() {
  if (stateSocket >= 0) return;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  const bool layoutSaved = saveLayout(display);
  XCloseDisplay(display);
  if (!layoutSaved) return;
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
  const pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    watch(ends[1]);
  }
  close(ends[1]);
  if (child < 0) {
    close(ends[0]);
    return;
  }
  stateSocket = ends[0];
  viewerProcess = getpid();
  pthread_atfork(nullptr, nullptr, inForkedChild);
}

void reportDisplayMode(bool changed) {
  if (stateSocket < 0) return;
  const char report = changed ? kModeChanged : kModeRestored;
  // MSG_NOSIGNAL: a watcher that is gone must not end the viewer.
  while (send(stateSocket, &report, 1, MSG_NOSIGNAL) < 0 && errno == EINTR) {
  }
}

}  // namespace sdl
