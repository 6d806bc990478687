// The file calls on POSIX systems: open, read, pread, write, fsync, rename, unlink and
// Linux's copy_file_range, each interrupted call retried.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "file_calls.h"

namespace file_calls::platform {

int open(const char* name, Open how, bool follow, unsigned bits) {
  int flags = O_CLOEXEC | (follow ? 0 : O_NOFOLLOW);
  switch (how) {
    case Open::kRead: flags |= O_RDONLY; break;
    case Open::kUpdate: flags |= O_RDWR; break;
    case Open::kTruncate: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
    case Open::kAppend: flags |= O_WRONLY | O_APPEND; break;
    case Open::kExclusive: flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW; break;
    case Open::kInPlace: flags |= O_WRONLY | O_CREAT; break;
  }
  int fd;
  do {
    fd = ::open(name, flags, static_cast<mode_t>(bits));
  } while (fd < 0 && errno == EINTR);
  return fd;
}

long read(int fd, void* buffer, std::size_t size) {
  for (;;) {
    ssize_t n = ::read(fd, buffer, size);
    if (n < 0 && errno == EINTR) continue;
    return static_cast<long>(n);
  }
}

long read_at(int fd, void* buffer, std::size_t size, long long offset) {
  for (;;) {
    ssize_t n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    return static_cast<long>(n);
  }
}

long write(int fd, const void* bytes, std::size_t size) {
  for (;;) {
    ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    return static_cast<long>(n);
  }
}

bool sync(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool rename(const char* from, const char* to) { return std::rename(from, to) == 0; }

bool unlink(const char* name) { return ::unlink(name) == 0; }

long copy(int from, long long offset, int to, std::size_t size) {
#ifdef __linux__
  for (;;) {
    off_t in_at = static_cast<off_t>(offset);
    ssize_t n =
        ::copy_file_range(from, &in_at, to, nullptr, std::min<std::size_t>(size, 1u << 30), 0);
    if (n < 0 && errno == EINTR) continue;
    // Not across these file systems, or not at all (EXDEV, ENOSYS, EINVAL...), or a source
    // that ended early (0): the caller's own copy takes over, and finds a short source too.
    return n > 0 ? static_cast<long>(n) : -1;
  }
#else
  (void)from, (void)offset, (void)to, (void)size;
  return -1;
#endif
}

}  // namespace file_calls::platform
