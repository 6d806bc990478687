// What the process puts right before anything else, on POSIX systems: its standard
// streams and SIGPIPE.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "shell.h"

bool prepare_process() {
  bool output_closed = false;
  // A closed standard stream would hand its number to the first data file opened, and
  // the console would then write into the store: each is kept open, on /dev/null.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == STDOUT_FILENO) output_closed = true;
    int null = ::open("/dev/null", O_RDWR);
    if (null >= 0 && null != fd) ::close(null);  // taken already by another: nothing to do
  }
  // A reader that closes the output is met as a failed write (EPIPE), which ends the run
  // cleanly, rather than as a signal that kills it mid-way.
  std::signal(SIGPIPE, SIG_IGN);
  return output_closed;
}
