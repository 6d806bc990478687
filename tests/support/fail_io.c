/* Test support: an LD_PRELOAD library that makes write, fsync or rename fail on demand,
 * to show what the program does on a full disk or a failed rename (tests run as root,
 * so permissions cannot make these fail).
 *   TALVO_FAIL_WRITE=name   write() or copy_file_range() into a file whose name ends in
 *                           "name" fails (ENOSPC)
 *   TALVO_FAIL_FSYNC=name   fsync() of such a file fails (EIO)
 *   TALVO_FAIL_RENAME=name  rename() whose new name ends in "name" fails (EIO) */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int ends_with(const char* text, const char* tail) {
  size_t n = strlen(text), m = strlen(tail);
  return m > 0 && n >= m && strcmp(text + n - m, tail) == 0;
}

static int fd_is(int fd, const char* variable) {
  const char* wanted = getenv(variable);
  if (wanted == NULL) return 0;
  char link[64], target[4096];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  ssize_t n = readlink(link, target, sizeof target - 1);
  if (n <= 0) return 0;
  target[n] = '\0';
  return ends_with(target, wanted);
}

ssize_t write(int fd, const void* buf, size_t count) {
  static ssize_t (*real)(int, const void*, size_t);
  if (!real) real = (ssize_t(*)(int, const void*, size_t))dlsym(RTLD_NEXT, "write");
  if (fd > 2 && fd_is(fd, "TALVO_FAIL_WRITE")) {
    errno = ENOSPC;
    return -1;
  }
  return real(fd, buf, count);
}

/* Copies and deletions go through the kernel's copy: a full disk fails it as it fails a
 * write. */
ssize_t copy_file_range(int fd_in, off_t* off_in, int fd_out, off_t* off_out, size_t len,
                        unsigned flags) {
  static ssize_t (*real)(int, off_t*, int, off_t*, size_t, unsigned);
  if (!real)
    real = (ssize_t(*)(int, off_t*, int, off_t*, size_t, unsigned))dlsym(RTLD_NEXT,
                                                                        "copy_file_range");
  if (fd_out > 2 && fd_is(fd_out, "TALVO_FAIL_WRITE")) {
    errno = ENOSPC;
    return -1;
  }
  return real(fd_in, off_in, fd_out, off_out, len, flags);
}

int fsync(int fd) {
  static int (*real)(int);
  if (!real) real = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
  if (fd_is(fd, "TALVO_FAIL_FSYNC")) {
    errno = EIO;
    return -1;
  }
  return real(fd);
}

int rename(const char* from, const char* to) {
  static int (*real)(const char*, const char*);
  if (!real) real = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
  const char* wanted = getenv("TALVO_FAIL_RENAME");
  if (wanted != NULL && ends_with(to, wanted)) {
    errno = EIO;
    return -1;
  }
  return real(from, to);
}
