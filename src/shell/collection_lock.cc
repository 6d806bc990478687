// One run per collection: flock on the collection directory's own descriptor.
#include "collection_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "console.h"
#include "cp850.h"

CollectionLock::CollectionLock() {
  // Opened for reading only, so the lock works in a directory that cannot be written.
  fd_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    refused_ = errno == EWOULDBLOCK;
    break;
  }
}

CollectionLock::~CollectionLock() {
  if (fd_ >= 0) ::close(fd_);
}

void say_collection_busy() {
  console::out("\n");
  console::out(kCollectionBusy);
  console::out("\n\n");
  console::flush();
}
