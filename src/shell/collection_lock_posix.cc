// The collection's lock on POSIX systems: flock on the collection directory's own
// descriptor, and on the directory a linked store leads into.
#include "collection_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "data_files.h"

namespace {

/// Takes the exclusive lock on the directory open at `fd`; false when another run holds it.
bool lock_directory(int fd) {
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    return errno != EWOULDBLOCK;  // a file system that keeps no locks: not a refusal
  }
  return true;
}

/// The directory of the file a symbolic link at the store's name finally leads to, open
/// for reading, when it is another directory than the one open at `collection`; -1 when
/// the store is no link, the link dangles or that directory cannot be opened.
int linked_store_directory(int collection) {
  const std::string target = replaced_file(kStoreFile, true);
  if (target == kStoreFile) return -1;  // no link, or one that dangles
  int fd = ::open(directory_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat here {
  }, there{};
  if (fd >= 0 && ::fstat(collection, &here) == 0 && ::fstat(fd, &there) == 0 &&
      (here.st_dev != there.st_dev || here.st_ino != there.st_ino))
    return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

}  // namespace

CollectionLock::CollectionLock() {
  // Opened for reading only, so the lock works in a directory that cannot be written.
  fd_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  refused_ = !lock_directory(fd_);
  // A store that is a link into another folder is that folder's store too: two folders
  // whose stores lead to one file never run at once.
  if (!refused_) linked_fd_ = linked_store_directory(fd_);
  if (linked_fd_ >= 0) refused_ = !lock_directory(linked_fd_);
}
