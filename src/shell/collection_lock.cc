// One run per collection: the lock's release and the message when another run holds it.
// Taking the lock is each platform's own (collection_lock_posix.cc, collection_lock_windows.cc).
#include "collection_lock.h"

#include <unistd.h>

#include "console.h"

CollectionLock::~CollectionLock() {
  if (fd_ >= 0) ::close(fd_);
  if (linked_fd_ >= 0) ::close(linked_fd_);
}

void say_collection_busy() {
  console::out("\n");
  console::out(kCollectionBusy);
  console::out("\n\n");
  console::flush();
}
