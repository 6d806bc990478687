// Putting a data file back as it stood before an edit.
#include "file_snapshot.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif
#include <unistd.h>

#include <cerrno>

#include "data_files.h"
#include "file_calls.h"

namespace {

/// Which file is open at `fd` (device and inode, or volume and file index) and its size;
/// false when that cannot be learnt.
bool identify(int fd, unsigned long long& device, unsigned long long& inode, long long& size) {
#ifdef _WIN32
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &info)) return false;
  device = info.dwVolumeSerialNumber;
  inode = static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  size = static_cast<long long>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
#else
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  device = st.st_dev;
  inode = st.st_ino;
  size = st.st_size;
#endif
  return true;
}

}  // namespace

FileSnapshot::FileSnapshot(const char* name)
    : name_(name), old_(name, FileIn::Mode::kRead, links_at(name)) {
  existed_ = name_taken(name);
  long long size = -1;
  if (old_.ok() && identify(old_.fd(), device_, inode_, size)) size_ = size;
}

bool FileSnapshot::restore(const char* scratch) {
  if (!existed_) return file_calls::unlink(name_) || errno == ENOENT;
  if (size_ < 0) return true;  // it could not be read, so no edit could have changed it
#ifdef _WIN32
  unsigned long long device = 0, inode = 0;
  long long size = -1;
  bool same = false;
  {
    FileIn now(name_, FileIn::Mode::kRead, links_at(name_));
    same = now.ok() && identify(now.fd(), device, inode, size) && device == device_ && inode == inode_;
  }
  if (same) {
    if (size == size_) return true;
    FileOut grown(name_, FileOut::Mode::kInPlace);
    return grown.cut_back(size_) && grown.close();
  }
#else
  struct stat now {};
  if (::stat(name_, &now) == 0 && now.st_dev == device_ && now.st_ino == inode_)
    return now.st_size == size_ || ::truncate(name_, static_cast<off_t>(size_)) == 0;
#endif
  return copy_whole(old_, name_, name_, scratch, size_);
}
