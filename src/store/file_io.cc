// Buffered data files over the file calls (file_calls.h), every result checked; the safe
// rewrite through a scratch file renamed over the old one. On Windows the descriptors are
// over handles, whose sizes and lengths are learnt and set through the handle.
#include "file_io.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "file_calls.h"

using file_calls::Open;

#ifdef _WIN32
namespace {

/// The handle under a descriptor.
HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

bool reader_has_gone(unsigned long error) {
  return error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED;
}
#endif

FileIn::FileIn(const char* name, Mode mode, Links links)
    : fd_(file_calls::open(name, mode == Mode::kRead ? Open::kRead : Open::kUpdate,
                           links == Links::kFollow, 0)) {}

FileIn::~FileIn() { close(); }

void FileIn::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  pos_ = end_ = 0;
}

bool FileIn::seek(long long offset) {
#ifdef _WIN32
  if (fd_ < 0 || failed_ || _lseeki64(fd_, offset, SEEK_SET) < 0) return false;
#else
  if (fd_ < 0 || failed_ || ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return false;
#endif
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
  long n = file_calls::read(fd_, buffer_ + end_, kBufferSize - end_);
  if (n > 0) {
    end_ += static_cast<std::size_t>(n);
    return true;
  }
  if (n < 0) failed_ = true;  // an I/O error, or a directory: never the end of the file
  return false;
}

namespace {

/// How each FileOut mode opens its file.
Open opening(FileOut::Mode mode) {
  switch (mode) {
    case FileOut::Mode::kTruncate: return Open::kTruncate;
    // An append never creates: a name with no file behind it (a dangling link) is
    // refused, so that nothing comes into being through a link.
    case FileOut::Mode::kAppend: return Open::kAppend;
    case FileOut::Mode::kExclusive: return Open::kExclusive;
    case FileOut::Mode::kInPlace: break;
  }
  return Open::kInPlace;
}

/// Opens a scratch file new: whatever stands at the name is removed first (a stale
/// scratch file, or a symbolic link, which is never followed), and a file that appears
/// there in between is refused rather than written through.
int open_new(const char* name, mode_t bits) {
  if (!file_calls::unlink(name) && errno != ENOENT) return -1;
  return file_calls::open(name, Open::kExclusive, false, bits);
}

}  // namespace

FileOut::FileOut(const char* name, Mode mode, mode_t bits, Links links)
    : fd_(file_calls::open(name, opening(mode), links == Links::kFollow, bits)),
      from_start_(mode != Mode::kAppend) {}

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
  while (begin < end) {
    long n = file_calls::copy(source, begin, fd_, static_cast<std::size_t>(end - begin));
    // Not by the kernel, or not further: the plain copy takes over where this one
    // stopped (and finds a source that ended early short too).
    if (n <= 0) return false;
    begin += n;
    written_ += n;
  }
  return true;
}

void FileOut::copy_from(int source, long long begin, long long end) {
  if (!flush() || begin >= end) return;
  if (copy_by_kernel(source, begin, end)) return;
  while (begin < end && !failed_) {
    std::size_t want = static_cast<std::size_t>(std::min<long long>(end - begin, kBufferSize));
    long n = read_at(source, buffer_, want, begin);
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
#ifdef _WIN32
  return fd_ >= 0 && _chsize_s(fd_, size) == 0;
#else
  return fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
#endif
}

bool FileOut::flush() {
  std::size_t done = 0;
  while (!failed_ && done < used_) {
    long n = file_calls::write(fd_, buffer_ + done, used_ - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
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
  if (!file_calls::sync(fd_)) return !(failed_ = true);
  return true;
}

bool FileOut::close() {
  if (fd_ < 0) return false;
  flush();
  if (::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  return !failed_;
}

bool name_taken(const char* name) {
#ifdef _WIN32
  return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat st {};
  return ::lstat(name, &st) == 0;
#endif
}

long long file_size(int fd) {
#ifdef _WIN32
  // A directory opened for reading tells a size of 0, which would pass for an empty file.
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle_of(fd), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return -1;
  return static_cast<long long>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
#else
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
#endif
}

long read_at(int fd, void* buffer, std::size_t size, long long offset) {
  return file_calls::read_at(fd, buffer, size, offset);
}

namespace {

/// The file a rewrite of `name` replaces: `name` itself, or, through a symbolic link,
/// the file it leads to.
std::string replaced_file(const char* name, bool through_link) {
#ifdef _WIN32
  (void)through_link;  // a link on Windows is replaced as it stands, like any file
  return name;
#else
  struct stat st {};
  if (!through_link || ::lstat(name, &st) != 0 || !S_ISLNK(st.st_mode)) return name;
  char* resolved = ::realpath(name, nullptr);
  if (resolved == nullptr) return name;  // a dangling link: it is replaced as it stands
  std::string path = resolved;
  std::free(resolved);
  return path;
#endif
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
#ifdef _WIN32
  (void)dir;  // the rename was written through; a directory cannot be synced
  return true;
#else
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
#endif
}

/// Whether `dir` is another directory than the current one.
bool elsewhere(const std::string& dir) {
#ifdef _WIN32
  return dir != ".";
#else
  struct stat here {}, there {};
  return dir != "." && !(::stat(".", &here) == 0 && ::stat(dir.c_str(), &there) == 0 &&
                         here.st_dev == there.st_dev && here.st_ino == there.st_ino);
#endif
}

/// Creates a scratch file: in the current directory new at its name, whatever stood
/// there removed; in another directory, where the files are not ours, under a name no
/// file has (`scratch`, else `scratch`.1, .2 ...), removing nothing. The name taken is
/// left in `scratch`.
int open_scratch(std::string& scratch, bool away) {
  if (!away) return open_new(scratch.c_str(), 0600);
  const std::string base = scratch;
  for (int n = 1; n < 1000; ++n) {
    int fd = file_calls::open(scratch.c_str(), Open::kExclusive, false, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
    scratch = base + "." + std::to_string(n);
  }
  return -1;
}

}  // namespace

Rewrite::Rewrite(const char* target, const char* scratch, const char* bits_like,
                 bool through_link, Bits bits)
    : target_(replaced_file(target, through_link)),
      scratch_(scratch_beside(target_, scratch)),
      out_(open_scratch(scratch_, elsewhere(directory_of(target_))), true),
      created_(out_.ok()) {
  if (!created_) return;
#ifdef _WIN32
  (void)bits_like, (void)bits;  // the new file has the directory's permissions
#else
  // The new file takes its permission bits and owner before it takes its name, so that a
  // private file never stands open to others, not even for a moment. A link at the name
  // (not followed) is no file replaced.
  struct stat old {}, like {};
  const bool replaces = ::lstat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const bool liked = bits_like != nullptr && ::stat(bits_like, &like) == 0;
  mode_t mode = 0644;
  if (bits == Bits::kKept) mode = replaces ? old.st_mode : liked ? like.st_mode : 0644;
  if (bits == Bits::kNoWider) mode = (liked ? like.st_mode : 0644) & (replaces ? old.st_mode : 07777);
  if (replaces && ::fchown(out_.fd(), old.st_uid, old.st_gid) != 0) {
    // only a privileged process may give a file away: the bits are kept all the same
  }
  if (::fchmod(out_.fd(), mode & 07777) != 0) out_.close();
#endif
}

Rewrite::~Rewrite() {
  if (created_ && !committed_) {
    out_.close();
    file_calls::unlink(scratch_.c_str());
  }
}

bool Rewrite::commit() {
  if (!out_.ok() || !out_.sync() || !out_.close()) return false;
  if (!file_calls::rename(scratch_.c_str(), target_.c_str())) return false;
  committed_ = true;
  sync_directory(directory_of(target_));  // the rename stands whether or not this succeeds
  return true;
}
