/* Test support: an LD_PRELOAD library that makes write, fsync or rename fail on demand,
 * to show what the program does on a full disk or a failed rename (tests run as root,
 * so permissions cannot make these fail).
 *   TALVO_FAIL_WRITE=name   write() or copy_file_range() to a file whose name ends in
 *                           "name" fails (ENOSPC)
 *   TALVO_FAIL_FSYNC=name   fsync() of such a file fails (EIO)
 *   TALVO_FAIL_RENAME=name  rename() whose new name ends in "name" fails (EIO)
 *   TALVO_FAIL_READ=name    read() from such a file fails (EIO)
 *   TALVO_FAIL_COPY=name    pread() and copy_file_range() from such a file fail (EIO): the
 *                           whole-file copies fail while the scans by read() still work
 *   TALVO_KILL_AT=n         the process kills itself (SIGKILL) right before its n-th
 *                           write() to a file, copy_file_range(), fsync() or rename(), so
 *                           that a run can be cut at each of its steps in turn */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int ends_with(const char* text, const char* tail) {
  size_t n = strlen(text), m = strlen(tail);
  return m > 0 && n >= m && strcmp(text + n - m, tail) == 0;
}

/* Counts a step that changes a file, and dies before the one TALVO_KILL_AT names. */
static void step(void) {
  static long steps = 0;
  const char* at = getenv("TALVO_KILL_AT");
  if (at != NULL && ++steps == atol(at)) kill(getpid(), SIGKILL);
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
  if (fd > 2) step();
  if (fd > 2 && fd_is(fd, "TALVO_FAIL_WRITE")) {
    errno = ENOSPC;
    return -1;
  }
  return real(fd, buf, count);
}

int fsync(int fd) {
  static int (*real)(int);
  if (!real) real = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
  step();
  if (fd_is(fd, "TALVO_FAIL_FSYNC")) {
    errno = EIO;
    return -1;
  }
  return real(fd);
}

int rename(const char* from, const char* to) {
  static int (*real)(const char*, const char*);
  if (!real) real = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
  step();
  const char* wanted = getenv("TALVO_FAIL_RENAME");
  if (wanted != NULL && ends_with(to, wanted)) {
    errno = EIO;
    return -1;
  }
  return real(from, to);
}

ssize_t read(int fd, void* buf, size_t count) {
  static ssize_t (*real)(int, void*, size_t);
  if (!real) real = (ssize_t(*)(int, void*, size_t))dlsym(RTLD_NEXT, "read");
  if (fd > 2 && fd_is(fd, "TALVO_FAIL_READ")) {
    errno = EIO;
    return -1;
  }
  return real(fd, buf, count);
}

ssize_t pread(int fd, void* buf, size_t count, off_t offset) {
  static ssize_t (*real)(int, void*, size_t, off_t);
  if (!real) real = (ssize_t(*)(int, void*, size_t, off_t))dlsym(RTLD_NEXT, "pread");
  if (fd_is(fd, "TALVO_FAIL_COPY")) {
    errno = EIO;
    return -1;
  }
  return real(fd, buf, count, offset);
}

ssize_t pread64(int fd, void* buf, size_t count, off_t offset) { return pread(fd, buf, count, offset); }

ssize_t copy_file_range(int in, loff_t* in_at, int out, loff_t* out_at, size_t count,
                        unsigned flags) {
  static ssize_t (*real)(int, loff_t*, int, loff_t*, size_t, unsigned);
  if (!real)
    real = (ssize_t(*)(int, loff_t*, int, loff_t*, size_t, unsigned))dlsym(RTLD_NEXT,
                                                                         "copy_file_range");
  step();
  if (fd_is(in, "TALVO_FAIL_COPY")) {
    errno = EIO;
    return -1;
  }
  if (fd_is(out, "TALVO_FAIL_WRITE")) {
    errno = ENOSPC;
    return -1;
  }
  return real(in, in_at, out, out_at, count, flags);
}
