// A data file's snapshot on POSIX systems: files known by device and inode, cut back by name.
#include "file_snapshot_platform.h"

#include <sys/stat.h>
#include <unistd.h>

namespace file_snapshot::platform {

bool identify(int fd, unsigned long long& device, unsigned long long& inode, long long& size) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  device = st.st_dev;
  inode = st.st_ino;
  size = st.st_size;
  return true;
}

std::optional<bool> cut_back_same(const char* name, unsigned long long device,
                                  unsigned long long inode, long long size) {
  struct stat now {};
  if (::stat(name, &now) == 0 && now.st_dev == device && now.st_ino == inode)
    return now.st_size == size || ::truncate(name, static_cast<off_t>(size)) == 0;
  return std::nullopt;
}

}  // namespace file_snapshot::platform
