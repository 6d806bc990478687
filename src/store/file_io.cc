// Buffered data files over open/read/write/fsync/rename, every result checked. On Windows
// the files are descriptors over handles opened in binary mode and shared for renaming
// over, synced with FlushFileBuffers and replaced with MoveFileExW.
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
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
namespace {

/// A file name in the form the wide calls take; false when it does not convert.
bool wide_name(const char* name, wchar_t (&wide)[MAX_PATH]) {
  return MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH) > 0;
}

/// Opens a file as a descriptor in binary mode (no carriage return added or dropped),
/// shared so that it can be renamed over or removed while open, as on POSIX. `extra`
/// adds flags to the open, such as the one that lets a directory be opened (and then
/// fail its reads, as on POSIX).
int open_shared(const char* name, DWORD access, DWORD disposition, int flags, DWORD extra = 0) {
  wchar_t wide[MAX_PATH];
  if (!wide_name(name, wide)) return -1;
  HANDLE handle = CreateFileW(wide, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, disposition, FILE_ATTRIBUTE_NORMAL | extra, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return -1;
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

/// The handle under a descriptor.
HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

bool reader_has_gone(unsigned long error) {
  return error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED;
}
#endif

FileIn::FileIn(const char* name, Mode mode, Links links) {
#ifdef _WIN32
  (void)links;  // a link on Windows is opened as it stands
  fd_ = mode == Mode::kRead
            ? open_shared(name, GENERIC_READ, OPEN_EXISTING, _O_RDONLY, FILE_FLAG_BACKUP_SEMANTICS)
            : open_shared(name, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, 0);
#else
  do {
    fd_ = ::open(name, (mode == Mode::kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC |
                           (links == Links::kRefuse ? O_NOFOLLOW : 0));
  } while (fd_ < 0 && errno == EINTR);
#endif
}

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

/// Creates a file where nothing stands at the name (a symbolic link there is never
/// followed); -1, with errno, when it cannot.
int create_new(const char* name, mode_t bits) {
#ifdef _WIN32
  (void)bits;  // Windows gives a new file the directory's permissions
  return open_shared(name, GENERIC_WRITE, CREATE_NEW, 0);
#else
  int fd;
  do {
    fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, bits);
  } while (fd < 0 && errno == EINTR);
  return fd;
#endif
}

/// Opens a scratch file new: whatever stands at the name is removed first (a stale
/// scratch file, or a symbolic link, which is never followed), and a file that appears
/// there in between is refused rather than written through.
int open_new(const char* name, mode_t bits) {
  if (::unlink(name) != 0 && errno != ENOENT) return -1;
  return create_new(name, bits);
}

}  // namespace

FileOut::FileOut(const char* name, Mode mode, mode_t bits, Links links)
    : from_start_(mode != Mode::kAppend) {
#ifdef _WIN32
  (void)bits, (void)links;  // the directory's permissions; a link is opened as it stands
  const DWORD disposition = mode == Mode::kTruncate    ? CREATE_ALWAYS
                            : mode == Mode::kExclusive ? CREATE_NEW
                            : mode == Mode::kAppend    ? OPEN_EXISTING
                                                       : OPEN_ALWAYS;
  fd_ = open_shared(name, GENERIC_WRITE, disposition, mode == Mode::kAppend ? _O_APPEND : 0);
#else
  // An append never creates: a name with no file behind it (a dangling link) is refused,
  // so that nothing comes into being through a link.
  int flags = O_WRONLY | O_CLOEXEC | (mode == Mode::kAppend ? O_APPEND : O_CREAT);
  if (links == Links::kRefuse) flags |= O_NOFOLLOW;
  if (mode == Mode::kTruncate) flags |= O_TRUNC;
  if (mode == Mode::kExclusive) flags |= O_EXCL;
  do {
    fd_ = ::open(name, flags, bits);
  } while (fd_ < 0 && errno == EINTR);
#endif
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
    ssize_t n = ::write(fd_, buffer_ + done, used_ - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      failed_ = true;
      if (error_ == 0) error_ = n < 0 ? errno : EIO;
#ifdef _WIN32
      if (n < 0 && reader_has_gone(GetLastError())) error_ = EPIPE;
#endif
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
#ifdef _WIN32
  if (!FlushFileBuffers(handle_of(fd_))) return !(failed_ = true);
#else
  while (::fsync(fd_) != 0) {
    if (errno != EINTR) return !(failed_ = true);
  }
#endif
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
#ifdef _WIN32
  // Read through a copy of the position: the descriptor's own is put back afterwards.
  long long was = _lseeki64(fd, 0, SEEK_CUR);
  if (was < 0 || _lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  long n = ::read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
  if (_lseeki64(fd, was, SEEK_SET) < 0) return -1;
  return n;
#else
  for (;;) {
    ssize_t n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    return static_cast<long>(n);
  }
#endif
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

/// Renames `from` over `to` in one step.
bool rename_over(const char* from, const char* to) {
#ifdef _WIN32
  wchar_t wide_from[MAX_PATH], wide_to[MAX_PATH];
  if (!wide_name(from, wide_from) || !wide_name(to, wide_to)) return false;
  constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (MoveFileExW(wide_from, wide_to, kFlags)) return true;
  // Windows renames over no file that is still open, and the snapshot a replace keeps of
  // the files it may put back holds them open: such a file is renamed aside (open files
  // may be, being shared for it), the new one takes its name and the old one is removed,
  // to go once its last reader closes it.
  // Only a plain file is, never a directory or a read-only file, which no rename replaces.
  if (GetLastError() != ERROR_ACCESS_DENIED && GetLastError() != ERROR_SHARING_VIOLATION) return false;
  DWORD attributes = GetFileAttributesW(wide_to);
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
    return false;
  // The old file is set aside under a name no file has, "<name>.talvo-N", made by the
  // rename itself (it replaces nothing): a file of the user's is never touched. Should the
  // run end between the two renames, the next run puts it back (put_back_set_aside_store).
  std::wstring aside;
  for (int n = 1;; ++n) {
    if (n > 9999) return false;
    aside = std::wstring(wide_to) + L".talvo-" + std::to_wstring(n);
    if (MoveFileExW(wide_to, aside.c_str(), MOVEFILE_WRITE_THROUGH)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (!MoveFileExW(wide_from, wide_to, kFlags)) {
    MoveFileExW(aside.c_str(), wide_to, MOVEFILE_WRITE_THROUGH);
    return false;
  }
  DeleteFileW(aside.c_str());
  return true;
#else
  return std::rename(from, to) == 0;
#endif
}

}  // namespace

void put_back_set_aside_store(const char* store) {
#ifdef _WIN32
  wchar_t wide[MAX_PATH];
  if (!wide_name(store, wide) || GetFileAttributesW(wide) != INVALID_FILE_ATTRIBUTES) return;
  // The newest of the old stores a rewrite set aside and could not remove.
  const std::wstring prefix = std::wstring(wide) + L".talvo-";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((prefix + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::wstring newest;
  FILETIME newest_time{};
  do {
    const std::wstring name = found.cFileName;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::wstring number = name.substr(prefix.size());
    if (number.empty() || number.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    if (newest.empty() || CompareFileTime(&found.ftLastWriteTime, &newest_time) > 0) {
      newest = name;
      newest_time = found.ftLastWriteTime;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  if (!newest.empty()) MoveFileExW(newest.c_str(), wide, MOVEFILE_WRITE_THROUGH);
#else
  (void)store;  // a rename replaces in one step here: no old store is ever set aside
#endif
}

namespace {

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
    int fd = create_new(scratch.c_str(), 0600);
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
    ::unlink(scratch_.c_str());
  }
}

bool Rewrite::commit() {
  if (!out_.ok() || !out_.sync() || !out_.close()) return false;
  if (!rename_over(scratch_.c_str(), target_.c_str())) return false;
  committed_ = true;
  sync_directory(directory_of(target_));  // the rename stands whether or not this succeeds
  return true;
}
