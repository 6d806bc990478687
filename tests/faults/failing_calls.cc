// Test support: the file calls defined here in place of file_calls.cc, so that the fault
// tests can fail any one of them as the system would.
#include "failing_calls.h"

#include <cerrno>

namespace faults {
namespace {

using file_calls::Call;

int counts[file_calls::kCallKinds];
Call failing_kind = Call::kOpen;
int failing_nth = 0;
bool by_kernel = true;

}  // namespace

/// Counts a call of the kind; true, with errno set to `error`, when it is the one to fail.
bool fails(Call kind, int error) {
  if (++counts[static_cast<int>(kind)] != failing_nth || kind != failing_kind) return false;
  errno = error;
  return true;
}

void fail(Call kind, int nth) {
  failing_kind = kind;
  failing_nth = nth;
  for (int& count : counts) count = 0;
}

int made(Call kind) { return counts[static_cast<int>(kind)]; }

void kernel_copies(bool copies) { by_kernel = copies; }

bool copies_by_kernel() { return by_kernel; }

}  // namespace faults

namespace file_calls {

using faults::fails;

int open(const char* name, Open how, bool follow, unsigned bits) {
  return fails(Call::kOpen, EACCES) ? -1 : platform::open(name, how, follow, bits);
}
long read(int fd, void* buffer, std::size_t size) {
  return fails(Call::kRead, EIO) ? -1 : platform::read(fd, buffer, size);
}
long read_at(int fd, void* buffer, std::size_t size, long long offset) {
  return fails(Call::kRead, EIO) ? -1 : platform::read_at(fd, buffer, size, offset);
}
long write(int fd, const void* bytes, std::size_t size) {
  return fails(Call::kWrite, ENOSPC) ? -1 : platform::write(fd, bytes, size);
}
bool sync(int fd) { return !fails(Call::kSync, EIO) && platform::sync(fd); }
bool rename(const char* from, const char* to) {
  return !fails(Call::kRename, EIO) && platform::rename(from, to);
}
bool unlink(const char* name) { return !fails(Call::kUnlink, EIO) && platform::unlink(name); }
long copy(int from, long long offset, int to, std::size_t size) {
  if (!faults::copies_by_kernel()) return -1;
  return fails(Call::kCopy, EIO) ? -1 : platform::copy(from, offset, to, size);
}

}  // namespace file_calls
