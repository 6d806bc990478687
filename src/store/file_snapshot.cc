// Putting a data file back as it stood before an edit.
#include "file_snapshot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store.h"

FileSnapshot::FileSnapshot(const char* name) : name_(name), old_(name) {
  struct stat st {};
  existed_ = ::lstat(name, &st) == 0;
  if (old_.ok() && ::fstat(old_.fd(), &st) == 0) {
    size_ = st.st_size;
    device_ = st.st_dev;
    inode_ = st.st_ino;
  }
}

bool FileSnapshot::restore(const char* scratch) {
  if (!existed_) return ::unlink(name_) == 0 || errno == ENOENT;
  if (size_ < 0) return true;  // it could not be read, so no edit could have changed it
  struct stat now {};
  if (::stat(name_, &now) == 0 && now.st_dev == device_ && now.st_ino == inode_)
    return now.st_size == size_ || ::truncate(name_, static_cast<off_t>(size_)) == 0;
  return copy_whole(old_, name_, name_, scratch, size_);
}
