// What the process puts right before anything else: its standard streams and SIGPIPE.
// On Windows no data file can take a standard stream's place (the console is written
// through the standard handles) and a pipe whose reader has gone only fails the write;
// there the C library's descriptors 0-2, which the verbs read and write, are put in
// binary mode instead, so that no carriage return is added or dropped.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <csignal>

#include "shell.h"

bool prepare_process() {
#ifdef _WIN32
  for (int fd = 0; fd <= 2; ++fd) _setmode(fd, _O_BINARY);
  return false;
#else
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
#endif
}
