// The file layer's POSIX parts: seeking, cutting back and writing back by descriptor, sizes
// and names through stat, and a rewrite's links, directories and permission bits.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "file_io.h"
#include "file_io_platform.h"

bool file_io::platform::seek_to(int fd, long long offset) {
  return ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool file_io::platform::cut_to(int fd, long long size) {
  return ::ftruncate(fd, static_cast<off_t>(size)) == 0;
}

void FileOut::start_writeback() {
#ifdef SYNC_FILE_RANGE_WRITE
  // Only a head start for the disk: whatever this does or fails to do, sync() still
  // forces everything and reports its own failures.
  ::sync_file_range(fd_, written_back_, written_ - written_back_, SYNC_FILE_RANGE_WRITE);
#endif
  written_back_ = written_;
}

void put_back_set_aside_store(const char* store) {
  (void)store;  // a rename replaces in one step here: no old store is ever set aside
}

bool name_taken(const char* name) {
  struct stat st {};
  return ::lstat(name, &st) == 0;
}

long long file_size(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

std::string replaced_file(const char* name, bool through_link) {
  struct stat st {};
  if (!through_link || ::lstat(name, &st) != 0 || !S_ISLNK(st.st_mode)) return name;
  char* resolved = ::realpath(name, nullptr);
  if (resolved == nullptr) return name;  // a dangling link: it is replaced as it stands
  std::string path = resolved;
  std::free(resolved);
  return path;
}

namespace file_io::platform {

bool sync_directory(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

bool elsewhere(const std::string& dir) {
  struct stat here {
  }, there{};
  return dir != "." && !(::stat(".", &here) == 0 && ::stat(dir.c_str(), &there) == 0 &&
                         here.st_dev == there.st_dev && here.st_ino == there.st_ino);
}

void give_bits(FileOut& out, const std::string& target, const char* bits_like, Bits bits) {
  // The new file takes its permission bits and owner before it takes its name, so that a
  // private file never stands open to others, not even for a moment. A link at the name
  // (not followed) is no file replaced.
  struct stat old {
  }, like{};
  const bool replaces = ::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const bool liked = bits_like != nullptr && ::stat(bits_like, &like) == 0;
  mode_t mode = 0644;
  if (bits == Bits::kKept) mode = replaces ? old.st_mode : liked ? like.st_mode : 0644;
  if (bits == Bits::kNoWider)
    mode = (liked ? like.st_mode : 0644) & (replaces ? old.st_mode : 07777);
  if (replaces && ::fchown(out.fd(), old.st_uid, old.st_gid) != 0) {
    // only a privileged process may give a file away: the bits are kept all the same
  }
  if (::fchmod(out.fd(), mode & 07777) != 0) out.close();
}

}  // namespace file_io::platform
