// SDL2 backend: the open-file dialog run as a `zenity
// --file-selection` child process (posix_spawn, no shell) whose standard output is the path,
// or `kdialog --getopenfilename` where zenity is missing.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl/dialog_paths.h"
#include "platform/sdl/sdl_backend.h"

extern char** environ;

namespace {

constexpr size_t kOutputCapacity = 4096;
constexpr const char* kNoDialogProgram =
    "No file dialog program was found. Install zenity (Debian package \"zenity\") or "
    "kdialog to choose a level file.";

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

enum class DialogResult { Accepted, Cancelled, Missing };

// Runs one dialog program with `argv`; Accepted with the chosen path in `out` when the user
// accepted a file, Missing when the program is not installed.
DialogResult runDialogProgram(char* const argv[], char* out, size_t capacity) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return DialogResult::Cancelled;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return spawned == ENOENT ? DialogResult::Missing : DialogResult::Cancelled;
  }
  size_t length = 0;
  const bool complete = readChildOutput(pipeFds[0], child, out, capacity, &length);
  close(pipeFds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  out[length] = '\0';
  if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return DialogResult::Cancelled;
  if (length > 0 && out[length - 1] == '\n') out[--length] = '\0';
  return length > 0 ? DialogResult::Accepted : DialogResult::Cancelled;
}

// Asks zenity, or kdialog where zenity is missing, for a file. The filter matches names
// without regard to case, and the dialog starts in the working folder when the configured
// folder does not exist.
DialogResult askForFile(const platform::OpenFileRequest& request, char* out, size_t capacity) {
  char startPath[1024];
  if (!dialogStartPath(request.initialDir, request.fileName, startPath, sizeof startPath)) {
    std::snprintf(startPath, sizeof startPath, "./");
  }
  char pattern[256];
  if (!caseBlindPattern(request.filterPattern != nullptr ? request.filterPattern : "*", pattern,
                        sizeof pattern)) {
    std::snprintf(pattern, sizeof pattern, "*");
  }
  const char* label = request.filterLabel != nullptr ? request.filterLabel : "";

  char proposal[1100];
  std::snprintf(proposal, sizeof proposal, "--filename=%s", startPath);
  char zenityFilter[600];
  std::snprintf(zenityFilter, sizeof zenityFilter, "--file-filter=%s | %s", label, pattern);
  char zenity[] = "zenity";
  char selection[] = "--file-selection";
  char* zenityArgs[] = {zenity, selection, proposal, zenityFilter, nullptr};
  const DialogResult result = runDialogProgram(zenityArgs, out, capacity);
  if (result != DialogResult::Missing) return result;

  char kdialogFilter[600];
  std::snprintf(kdialogFilter, sizeof kdialogFilter, "%s|%s", pattern, label);
  char kdialog[] = "kdialog";
  char openName[] = "--getopenfilename";
  char* kdialogArgs[] = {kdialog, openName, startPath, kdialogFilter, nullptr};
  return runDialogProgram(kdialogArgs, out, capacity);
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
  const DialogResult result = askForFile(*request, chosen, sizeof chosen);
  if (shown) sdl::bringToFront(window);
  if (result == DialogResult::Missing) {
    showMessageBox(request->owner, kNoDialogProgram, "Error");
    return false;
  }
  if (result != DialogResult::Accepted) return false;

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

}  // namespace platform
