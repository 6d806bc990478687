// Buffered data files over the file calls (file_calls.h), every result checked; the safe
// rewrite through a scratch file renamed over the old one. What each platform does its
// own way is in file_io_posix.cc and file_io_windows.cc.
#include "file_io.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "file_calls.h"
#include "file_io_platform.h"

using file_calls::Open;
using file_io::platform::elsewhere;
using file_io::platform::sync_directory;

FileIn::FileIn(const char* name, Mode mode, Links links)
    : fd_(file_calls::open(name, mode == Mode::kRead ? Open::kRead : Open::kUpdate,
                           links == Links::kFollow, 0)) {}

FileIn::~FileIn() { close(); }

void FileIn::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  pos_ = end_ = 0;
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

bool FileIn::seek(long long offset) {
  if (fd_ < 0 || failed_ || !file_io::platform::seek_to(fd_, offset)) return false;
  base_ = offset;
  pos_ = end_ = 0;
  return true;
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

bool FileOut::cut_back(long long size) {
  used_ = 0;  // whatever is still held is part of what goes
  return fd_ >= 0 && file_io::platform::cut_to(fd_, size);
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

long read_at(int fd, void* buffer, std::size_t size, long long offset) {
  return file_calls::read_at(fd, buffer, size, offset);
}

std::string directory_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

namespace {

/// A scratch file name in the same directory as `target`.
std::string scratch_beside(const std::string& target, const char* scratch) {
  std::size_t slash = target.rfind('/');
  return slash == std::string::npos ? scratch : target.substr(0, slash + 1) + scratch;
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

Rewrite::Rewrite(const char* target, const char* scratch, const char* bits_like, bool through_link,
                 Bits bits)
    : target_(replaced_file(target, through_link)),
      scratch_(scratch_beside(target_, scratch)),
      out_(open_scratch(scratch_, elsewhere(directory_of(target_))), true),
      created_(out_.ok()) {
  if (!created_) return;
  file_io::platform::give_bits(out_, target_, bits_like, bits);
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
