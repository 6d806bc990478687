// Buffered data files over open/read/write/fsync/rename, every result checked. On Windows
// the files are opened in binary mode and shared for renaming over, synced with
// FlushFileBuffers and replaced with MoveFileExW.
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
#include <cstdio>
#include <cstring>

#ifdef _WIN32
namespace {

/// A file name in the form the wide calls take; false when it does not convert.
bool wide_name(const char* name, wchar_t (&wide)[MAX_PATH]) {
  return MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH) > 0;
}

/// Opens a file as a descriptor in binary mode (no carriage return added or dropped),
/// shared so that it can still be renamed over or removed while open, as on POSIX.
int open_shared(const char* name, DWORD access, DWORD disposition, int flags) {
  wchar_t wide[MAX_PATH];
  if (!wide_name(name, wide)) return -1;
  HANDLE handle = CreateFileW(wide, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return -1;
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

}  // namespace
#endif

FileIn::FileIn(const char* name, Mode mode) {
#ifdef _WIN32
  fd_ = mode == Mode::kRead
            ? open_shared(name, GENERIC_READ, OPEN_EXISTING, _O_RDONLY)
            : open_shared(name, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, 0);
#else
  do {
    fd_ = ::open(name, mode == Mode::kRead ? O_RDONLY : O_RDWR);
  } while (fd_ < 0 && errno == EINTR);
#endif
}

FileIn::~FileIn() { close(); }

void FileIn::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  pos_ = end_ = 0;
}

bool FileIn::fill() {
  if (fd_ < 0) return false;
  // Keep one byte of room in front, so the byte just read can always be pushed back.
  if (end_ > 0) {
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
    return false;
  }
}

FileOut::FileOut(const char* name, Mode mode) : from_start_(mode == Mode::kTruncate) {
#ifdef _WIN32
  fd_ = mode == Mode::kAppend ? open_shared(name, GENERIC_WRITE, OPEN_ALWAYS, _O_APPEND)
                              : open_shared(name, GENERIC_WRITE, CREATE_ALWAYS, 0);
#else
  int flags = O_WRONLY | O_CREAT | (mode == Mode::kAppend ? O_APPEND : O_TRUNC);
  do {
    fd_ = ::open(name, flags, 0644);
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
  if (!FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)))) return !(failed_ = true);
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

namespace {

/// Forces the current directory's entries (a rename) to disk. On Windows the rename
/// itself is written through, and a directory cannot be synced.
bool sync_directory() {
#ifdef _WIN32
  return true;
#else
  int dir = ::open(".", O_RDONLY | O_DIRECTORY);
  if (dir < 0) return false;
  bool synced = ::fsync(dir) == 0;
  ::close(dir);
  return synced;
#endif
}

}  // namespace

bool replace_file(const char* from, const char* to) {
#ifdef _WIN32
  wchar_t wide_from[MAX_PATH], wide_to[MAX_PATH];
  if (!wide_name(from, wide_from) || !wide_name(to, wide_to) ||
      !MoveFileExW(wide_from, wide_to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
#else
  if (std::rename(from, to) != 0) return false;
#endif
  sync_directory();  // the rename stands whether or not the directory sync succeeds
  return true;
}

Rewrite::Rewrite(const char* target, const char* scratch)
    : target_(target),
      scratch_(scratch),
      out_(scratch, FileOut::Mode::kTruncate),
      created_(out_.ok()) {}

Rewrite::~Rewrite() {
  if (created_ && !committed_) {
    out_.close();
    std::remove(scratch_);
  }
}

bool Rewrite::commit() {
  if (!out_.sync() || !out_.close()) return false;
  committed_ = replace_file(scratch_, target_);
  return committed_;
}

long long file_length(const char* name) {
#ifdef _WIN32
  wchar_t wide[MAX_PATH];
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!wide_name(name, wide) || !GetFileAttributesExW(wide, GetFileExInfoStandard, &data)) return -1;
  return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
#else
  struct stat st {};
  return ::stat(name, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
#endif
}

bool cut_file(const char* name, long long length) {
#ifdef _WIN32
  int fd = open_shared(name, GENERIC_WRITE, OPEN_EXISTING, 0);
  if (fd < 0) return false;
  bool cut = _chsize_s(fd, length) == 0 && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
  _close(fd);
  return cut;
#else
  return ::truncate(name, static_cast<off_t>(length)) == 0;
#endif
}
