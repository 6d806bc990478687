// What the process puts right before anything else, on Windows. No data file can take a
// standard stream's place there (the console is written through the standard handles)
// and a pipe whose reader has gone only fails the write; instead the C library's
// descriptors 0-2, which the verbs read and write, are put in binary mode, so that no
// carriage return is added or dropped.
#include <fcntl.h>
#include <io.h>

#include "shell.h"

bool prepare_process() {
  for (int fd = 0; fd <= 2; ++fd) _setmode(fd, _O_BINARY);
  return false;
}
