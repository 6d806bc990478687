// Buffered data files over open/read/write/fsync/rename, every result checked.
#include "file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

FileIn::FileIn(const char* name, Mode mode) {
  do {
    fd_ = ::open(name, mode == Mode::kRead ? O_RDONLY : O_RDWR);
  } while (fd_ < 0 && errno == EINTR);
}

FileIn::~FileIn() {
  if (fd_ >= 0) ::close(fd_);
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
  int flags = O_WRONLY | O_CREAT | (mode == Mode::kAppend ? O_APPEND : O_TRUNC);
  do {
    fd_ = ::open(name, flags, 0644);
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

namespace {

/// Forces the current directory's entries (a rename) to disk.
bool sync_directory() {
  int dir = ::open(".", O_RDONLY | O_DIRECTORY);
  if (dir < 0) return false;
  bool synced = ::fsync(dir) == 0;
  ::close(dir);
  return synced;
}

}  // namespace

bool replace_file(const char* from, const char* to) {
  if (std::rename(from, to) != 0) return false;
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
