// SDL2 backend: modal "Error" boxes, and the open-file dialog run as a `zenity
// --file-selection` child process (posix_spawn, no shell) whose standard output is the path.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl/sdl_backend.h"

extern char** environ;

namespace {

constexpr size_t kOutputCapacity = 4096;

// Reads the child's standard output until it closes. A termination request ends the child,
// so a signal never waits on the dialog. False when the output was cut short.
bool readChildOutput(int fd, pid_t child, char* out, size_t capacity, size_t* length) {
  *length = 0;
  for (;;) {
    pollfd watch = {fd, POLLIN, 0};
    const int ready = poll(&watch, 1, 100);
    if (ready == 0) {
      if (sdl::quitRequested()) {
        kill(child, SIGTERM);
        return false;
      }
      continue;
    }
    if (ready < 0) continue;  // interrupted: look again
    char chunk[512];
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) return true;
    const size_t room = capacity - 1 - *length;
    const size_t take = static_cast<size_t>(got) < room ? static_cast<size_t>(got) : room;
    std::memcpy(out + *length, chunk, take);
    *length += take;
  }
}

// Runs zenity; true with the chosen path in `out` when the user accepted a file.
bool runZenity(const platform::OpenFileRequest& request, char* out, size_t capacity) {
  char proposal[1024];
  const char* name = request.fileName != nullptr ? request.fileName : "";
  if (name[0] == '/' || request.initialDir == nullptr || request.initialDir[0] == '\0') {
    std::snprintf(proposal, sizeof proposal, "--filename=%s", name);
  } else {
    std::snprintf(proposal, sizeof proposal, "--filename=%s/%s", request.initialDir, name);
  }
  char filter[256];
  std::snprintf(filter, sizeof filter, "--file-filter=%s | %s",
                request.filterLabel != nullptr ? request.filterLabel : "",
                request.filterPattern != nullptr ? request.filterPattern : "*");
  char program[] = "zenity";
  char selection[] = "--file-selection";
  char* argv[] = {program, selection, proposal, filter, nullptr};

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return false;
  }
  size_t length = 0;
  const bool complete = readChildOutput(pipeFds[0], child, out, capacity, &length);
  close(pipeFds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  out[length] = '\0';
  if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  if (length > 0 && out[length - 1] == '\n') out[--length] = '\0';
  return length > 0;
}

}  // namespace

namespace platform {

bool showOpenFileDialog(OpenFileRequest* request) {
  if (request == nullptr || request->fileName == nullptr || request->fileNameCapacity < 8) {
    return false;
  }
  request->nameTooLong = false;
  // The window stays on top of everything; it steps aside while the dialog is open.
  SDL_Window* window = sdl::backend.window;
  const bool shown = window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) != 0;
  if (shown) SDL_HideWindow(window);
  char chosen[kOutputCapacity];
  const bool accepted = runZenity(*request, chosen, sizeof chosen);
  if (shown) {
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
  }
  if (!accepted) return false;

  const size_t length = std::strlen(chosen);
  const uint32_t capacity = request->fileNameCapacity;
  if (length + 1 > capacity) {
    // Never cut into another path: a shortened form for display, marked as too long.
    std::snprintf(request->fileName, capacity, "%.*s...", static_cast<int>(capacity - 4), chosen);
    request->nameTooLong = true;
    return true;
  }
  std::memcpy(request->fileName, chosen, length + 1);
  return true;
}

void showMessageBox(WindowHandle owner, const char* text, const char* title) {
  std::fprintf(stderr, "%s: %s\n", title, text);
  // A termination request ends the viewer without waiting on a box.
  if (sdl::quitRequested()) return;
  const bool hadFocus = sdl::windowHasFocus();
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, text, sdl::windowOf(owner)) != 0) {
    std::fprintf(stderr, "(no message box: %s)\n", SDL_GetError());
  }
  sdl::settleFocusAfterBox(hadFocus);
}

}  // namespace platform
