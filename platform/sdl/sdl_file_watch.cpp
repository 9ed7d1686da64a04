// SDL2 backend: the watch on one level file. inotify watches the file's folder, so a write
// in place (the file closed after writing) and a new file renamed over the old one are both
// seen; a thread waits on it and hands each change to the main thread as an SDL event,
// which also wakes a viewer that sleeps while its window is inactive.
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "platform/sdl/sdl_backend.h"

namespace {

constexpr size_t kWatchPathSize = 4096;
constexpr int kPollMs = 100;  // how often the thread looks whether it should end

int watchDescriptor = -1;
char watchedName[kWatchPathSize];  // the file's name within its folder
SDL_Thread* watchThread = nullptr;
std::atomic<bool> watchEnds{false};

// True when an event names the watched file and says it was written or replaced.
bool namesWatchedFile(const inotify_event& event) {
  if ((event.mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) == 0 || event.len == 0) return false;
  return std::strncmp(event.name, watchedName, event.len) == 0;
}

void announceChange() {
  SDL_Event event = {};
  event.type = sdl::backend.fileChangeEvent;
  SDL_PushEvent(&event);
}

int watchLoop(void*) {
  alignas(inotify_event) char buffer[4096];
  while (!watchEnds.load()) {
    pollfd waiting = {watchDescriptor, POLLIN, 0};
    if (poll(&waiting, 1, kPollMs) <= 0) continue;
    const ssize_t got = read(watchDescriptor, buffer, sizeof buffer);
    if (got <= 0) continue;
    bool changed = false;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      changed = changed || namesWatchedFile(*event);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    if (changed) announceChange();
  }
  return 0;
}

}  // namespace

namespace sdl {

void stopFileWatch() {
  if (watchThread != nullptr) {
    watchEnds.store(true);
    SDL_WaitThread(watchThread, nullptr);
    watchThread = nullptr;
  }
  if (watchDescriptor >= 0) close(watchDescriptor);
  watchDescriptor = -1;
}

}  // namespace sdl

namespace platform {

bool watchFile(WindowHandle window, const char* path) {
  sdl::stopFileWatch();
  if (window == nullptr || path == nullptr || sdl::backend.fileChangeEvent == 0) return false;
  const size_t length = strnlen(path, kWatchPathSize);
  if (length == 0 || length >= kWatchPathSize) return false;
  char folder[kWatchPathSize];
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr) {
    std::memcpy(folder, ".", 2);
    std::memcpy(watchedName, path, length + 1);
  } else {
    const size_t folderLength = slash == path ? 1 : static_cast<size_t>(slash - path);
    std::memcpy(folder, path, folderLength);
    folder[folderLength] = '\0';
    std::memcpy(watchedName, slash + 1, length - static_cast<size_t>(slash - path));
  }
  watchDescriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watchDescriptor < 0) return false;
  if (inotify_add_watch(watchDescriptor, folder, IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
    sdl::stopFileWatch();
    return false;
  }
  watchEnds.store(false);
  watchThread = SDL_CreateThread(watchLoop, "file watch", nullptr);
  if (watchThread == nullptr) sdl::stopFileWatch();
  return watchThread != nullptr;
}

void stopWatchingFile() {
  sdl::stopFileWatch();
}

}  // namespace platform
