// Buffered data files over open/read/write/fsync/rename, every result checked.
#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

FileIn::FileIn(const char* name, Mode mode) {
  do {
    fd_ = ::open(name, (mode == Mode::kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
}

FileIn::~FileIn() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileIn::seek(long long offset) {
  if (fd_ < 0 || failed_ || ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return false;
  base_ = offset;
  pos_ = end_ = 0;
  return true;
}

bool FileIn::fill() {
  if (fd_ < 0 || failed_) return false;
  // Keep one byte of room in front, so the byte just read can always be pushed back.
  if (end_ > 0) {
    base_ += static_cast<long long>(end_ - 1);
    buffer_[0] = buffer_[end_ - 1];
    pos_ = end_ = 1;
  }
  for (;;) {
    ssize_t n = ::read(fd_, buffer_ + end_, kBufferSize - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) failed_ = true;  // an I/O error, or a directory: never the end of the file
    return false;
  }
}

namespace {

/// Opens a scratch file new: whatever stands at the name is removed first (a stale
/// scratch file, or a symbolic link, which is never followed), and a file that appears
/// there in between is refused rather than written through.
int open_new(const char* name, mode_t bits) {
  if (::unlink(name) != 0 && errno != ENOENT) return -1;
  int fd;
  do {
    fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, bits);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

FileOut::FileOut(const char* name, Mode mode, mode_t bits) : from_start_(mode != Mode::kAppend) {
  if (mode == Mode::kNew) {
    fd_ = open_new(name, bits);
    return;
  }
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC;
  if (mode == Mode::kAppend) flags |= O_APPEND;
  if (mode == Mode::kTruncate) flags |= O_TRUNC;
  if (mode == Mode::kExclusive) flags |= O_EXCL;
  do {
    fd_ = ::open(name, flags, bits);
  } while (fd_ < 0 && errno == EINTR);
}

FileOut::~FileOut() { close(); }

void FileOut::write_through(const char* bytes, std::size_t size) {
  while (size > 0) {
    if (used_ == kBufferSize && !flush()) return;
    std::size_t n = std::min(size, kBufferSize - used_);
    std::memcpy(buffer_ + used_, bytes, n);
    used_ += n;
    bytes += n;
    size -= n;
  }
}

void FileOut::put_entry(const char* quote, const char* author) {
  write("\n", 1);
  put(quote);
  write("\n", 1);
  put(author);
  write("\n", 1);
}

bool FileOut::copy_by_kernel(int source, long long& begin, long long end) {
#ifdef __linux__
  while (begin < end) {
    off_t in_at = static_cast<off_t>(begin);
    std::size_t want = static_cast<std::size_t>(std::min<long long>(end - begin, 1LL << 30));
    ssize_t n = ::copy_file_range(source, &in_at, fd_, nullptr, want, 0);
    if (n > 0) {
      begin += n;
      written_ += n;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // Not across these file systems, or not at all (EXDEV, ENOSYS, EINVAL...): the
    // plain copy takes over where this one stopped. A source that ended early is
    // found short there too.
    return false;
  }
  return true;
#else
  (void)source, (void)begin, (void)end;
  return false;
#endif
}

void FileOut::copy_from(int source, long long begin, long long end) {
  if (!flush() || begin >= end) return;
  if (copy_by_kernel(source, begin, end)) return;
  while (begin < end && !failed_) {
    std::size_t want = static_cast<std::size_t>(std::min<long long>(end - begin, kBufferSize));
    ssize_t n = ::pread(source, buffer_, want, static_cast<off_t>(begin));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {  // a read error, or a source shorter than promised
      failed_ = true;
      break;
    }
    used_ = static_cast<std::size_t>(n);
    begin += n;
    flush();
  }
}

bool FileOut::cut_back(long long size) {
  used_ = 0;  // whatever is still held is part of what goes
  return fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
}

bool FileOut::flush() {
  std::size_t done = 0;
  while (!failed_ && done < used_) {
    ssize_t n = ::write(fd_, buffer_ + done, used_ - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      failed_ = true;
      if (error_ == 0) error_ = n < 0 ? errno : EIO;
    }
  }
  used_ = 0;
  written_ += static_cast<long long>(done);
  if (from_start_ && written_ - written_back_ >= static_cast<long long>(kWritebackStep))
    start_writeback();
  return !failed_ && fd_ >= 0;
}

void FileOut::start_writeback() {
#ifdef SYNC_FILE_RANGE_WRITE
  // Only a head start for the disk: whatever this does or fails to do, sync() still
  // forces everything and reports its own failures.
  ::sync_file_range(fd_, written_back_, written_ - written_back_, SYNC_FILE_RANGE_WRITE);
#endif
  written_back_ = written_;
}

bool FileOut::sync() {
  if (!flush()) return false;
  while (::fsync(fd_) != 0) {
    if (errno != EINTR) return !(failed_ = true);
  }
  return true;
}

bool FileOut::close() {
  if (fd_ < 0) return false;
  flush();
  if (::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  return !failed_;
}

long long file_size(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

namespace {

/// The file a rewrite of `name` replaces: `name` itself, or, through a symbolic link,
/// the file it leads to.
std::string replaced_file(const char* name, bool through_link) {
  struct stat st {};
  if (!through_link || ::lstat(name, &st) != 0 || !S_ISLNK(st.st_mode)) return name;
  char* resolved = ::realpath(name, nullptr);
  if (resolved == nullptr) return name;  // a dangling link: it is replaced as it stands
  std::string path = resolved;
  std::free(resolved);
  return path;
}

/// The directory part of a path ("." for a bare name).
std::string directory_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

/// A scratch file name in the same directory as `target`.
std::string scratch_beside(const std::string& target, const char* scratch) {
  std::size_t slash = target.rfind('/');
  return slash == std::string::npos ? scratch : target.substr(0, slash + 1) + scratch;
}

/// Forces a directory's entries (a rename) to disk.
bool sync_directory(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

}  // namespace

Rewrite::Rewrite(const char* target, const char* scratch, const char* bits_like,
                 bool through_link)
    : target_(replaced_file(target, through_link)),
      scratch_(scratch_beside(target_, scratch)),
      out_(scratch_.c_str(), FileOut::Mode::kNew, 0600),
      created_(out_.ok()) {
  if (!created_) return;
  // The new file takes the old one's permission bits and owner before it takes its name,
  // so that a private file never stands open to others, not even for a moment.
  struct stat st {};
  bool known = ::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  if (!known && bits_like != nullptr) known = ::stat(bits_like, &st) == 0;
  mode_t bits = known ? (st.st_mode & 07777) : 0644;
  if (known && ::fchown(out_.fd(), st.st_uid, st.st_gid) != 0) {
    // only a privileged process may give a file away: the bits are kept all the same
  }
  if (::fchmod(out_.fd(), bits) != 0) out_.close();
}

Rewrite::~Rewrite() {
  if (created_ && !committed_) {
    out_.close();
    ::unlink(scratch_.c_str());
  }
}

bool Rewrite::commit() {
  if (!out_.ok() || !out_.sync() || !out_.close()) return false;
  if (std::rename(scratch_.c_str(), target_.c_str()) != 0) return false;
  committed_ = true;
  sync_directory(directory_of(target_));  // the rename stands whether or not this succeeds
  return true;
}
