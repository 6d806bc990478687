// One run per collection: flock on the collection directory's own descriptor, or on
// Windows the directory opened in a share mode that a second such opening conflicts with.
#include "collection_lock.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#endif
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "console.h"
#include "cp850.h"
#include "data_files.h"

#ifndef _WIN32
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
  struct stat st {};
  if (::lstat(kStoreFile, &st) != 0 || !S_ISLNK(st.st_mode)) return -1;
  char* resolved = ::realpath(kStoreFile, nullptr);
  if (resolved == nullptr) return -1;
  std::string target = resolved;
  std::free(resolved);
  const std::string dir = target.substr(0, target.rfind('/') > 0 ? target.rfind('/') : 1);
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat here {}, there {};
  if (fd >= 0 && ::fstat(collection, &here) == 0 && ::fstat(fd, &there) == 0 &&
      (here.st_dev != there.st_dev || here.st_ino != there.st_ino))
    return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

}  // namespace
#endif

CollectionLock::CollectionLock() {
#ifdef _WIN32
  // Windows locks no directory. The directory is opened for adding files, a right this
  // opening shares with no other: a second run's same opening fails with a sharing
  // violation until the first run's handle goes, with its process. Listing the directory
  // and reading and writing its files (this run's and other programs') are not affected.
  HANDLE handle = CreateFileW(L".", FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    refused_ = GetLastError() == ERROR_SHARING_VIOLATION;
    return;
  }
  fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_NOINHERIT);
  if (fd_ < 0) CloseHandle(handle);
#else
  // Opened for reading only, so the lock works in a directory that cannot be written.
  fd_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  refused_ = !lock_directory(fd_);
  // A store that is a link into another folder is that folder's store too: two folders
  // whose stores lead to one file never run at once.
  if (!refused_) linked_fd_ = linked_store_directory(fd_);
  if (linked_fd_ >= 0) refused_ = !lock_directory(linked_fd_);
#endif
}

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
