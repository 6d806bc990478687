// The console's POSIX parts: `cls` looked for in PATH and run without a shell.
#include "console_platform.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

namespace console::platform {

std::string find_cls() {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return "";
  std::string dirs = path;
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    std::string candidate = dir + "/cls";
    if (!dir.empty() && dir[0] == '/' && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

void run_cls(const std::string& cls_path) {
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // The program ignores SIGPIPE for itself; `cls` gets the usual handling back.
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  char name[] = "cls";
  char* argv[] = {name, nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, cls_path.c_str(), nullptr, &attributes, argv, environ) == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  posix_spawnattr_destroy(&attributes);
}

}  // namespace console::platform
