// Linux backend: the user's pictures folder as `xdg-user-dir PICTURES` names it, the program
// run as a child process without a shell. A child that does not answer within a second is
// ended, so a screenshot never waits on it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

extern char** environ;

namespace {

constexpr int kAnswerTimeoutMs = 1000;

// Reads the child's standard output into `out` until it closes or the time is up; false when
// it did not close in time or did not fit.
bool readAnswer(int fd, char* out, size_t capacity, size_t* length) {
  *length = 0;
  int waitedMs = 0;
  while (waitedMs < kAnswerTimeoutMs) {
    pollfd watch = {fd, POLLIN, 0};
    const int ready = poll(&watch, 1, 50);
    waitedMs += 50;
    if (ready <= 0) continue;
    char chunk[256];
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got == 0) return true;
    if (got < 0) continue;
    if (static_cast<size_t>(got) >= capacity - *length) return false;
    std::memcpy(out + *length, chunk, static_cast<size_t>(got));
    *length += static_cast<size_t>(got);
  }
  return false;
}

// Runs `xdg-user-dir PICTURES`; its answer, without the line feed, in `out`.
bool askPicturesFolder(char* out, size_t capacity) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  char program[] = "xdg-user-dir";
  char which[] = "PICTURES";
  char* argv[] = {program, which, nullptr};
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return false;
  }
  size_t length = 0;
  const bool answered = readAnswer(pipeFds[0], out, capacity, &length);
  close(pipeFds[0]);
  if (!answered) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!answered || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  while (length > 0 && (out[length - 1] == '\n' || out[length - 1] == '/')) --length;
  out[length] = '\0';
  return length > 0;
}

bool sameFolder(const char* a, const char* b) {
  struct stat first;
  struct stat second;
  return stat(a, &first) == 0 && stat(b, &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace

namespace platform {

bool findPicturesFolder(char* out, uint32_t capacity) {
  if (out == nullptr || capacity < 2) return false;
  if (!askPicturesFolder(out, capacity)) return false;
  struct stat info;
  const bool folder = stat(out, &info) == 0 && S_ISDIR(info.st_mode);
  const char* home = std::getenv("HOME");
  // xdg-user-dir answers the home folder for a folder the user has not set up.
  return folder && !(home != nullptr && sameFolder(out, home));
}

}  // namespace platform
