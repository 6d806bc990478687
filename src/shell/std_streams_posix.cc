// Standard input and output on POSIX systems: descriptors 0 and 1.
#include "std_streams.h"

#include <unistd.h>

#include <cerrno>

namespace std_streams {

long read_input(unsigned char* buffer, std::size_t size) {
  for (;;) {
    ssize_t n = ::read(STDIN_FILENO, buffer, size);
    if (n < 0 && errno == EINTR) continue;
    return static_cast<long>(n);
  }
}

long write_output(const char* bytes, std::size_t size) {
  for (;;) {
    ssize_t n = ::write(STDOUT_FILENO, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EPIPE) return kReaderGone;
    return static_cast<long>(n);
  }
}

bool input_is_terminal() { return ::isatty(STDIN_FILENO); }

bool output_is_terminal() { return ::isatty(STDOUT_FILENO); }

}  // namespace std_streams
