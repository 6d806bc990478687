// The file calls handed to the platform's own: what the program runs with. (The fault
// tests define these names themselves, and then this file is not linked in.)
#include "file_calls.h"

namespace file_calls {

int open(const char* name, Open how, bool follow, unsigned bits) {
  return platform::open(name, how, follow, bits);
}
long read(int fd, void* buffer, std::size_t size) { return platform::read(fd, buffer, size); }
long read_at(int fd, void* buffer, std::size_t size, long long offset) {
  return platform::read_at(fd, buffer, size, offset);
}
long write(int fd, const void* bytes, std::size_t size) { return platform::write(fd, bytes, size); }
bool sync(int fd) { return platform::sync(fd); }
bool rename(const char* from, const char* to) { return platform::rename(from, to); }
bool unlink(const char* name) { return platform::unlink(name); }
long copy(int from, long long offset, int to, std::size_t size) {
  return platform::copy(from, offset, to, size);
}

}  // namespace file_calls
