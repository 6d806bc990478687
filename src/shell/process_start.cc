// What the process puts right before anything else: its standard streams and SIGPIPE.
// Windows needs neither: the console is written through the standard handles, which no
// data file can take, and a pipe whose reader has gone only fails the write.
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <csignal>

#include "shell.h"

void prepare_process() {
#ifndef _WIN32
  // A closed standard stream would hand its number to the first data file opened, and
  // the console would then write into the store: each is kept open, on /dev/null.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    int null = ::open("/dev/null", O_RDWR);
    if (null >= 0 && null != fd) ::close(null);  // taken already by another: nothing to do
  }
  // A reader that closes the output is met as a failed write (EPIPE), which ends the run
  // cleanly, rather than as a signal that kills it mid-way.
  std::signal(SIGPIPE, SIG_IGN);
#endif
}
