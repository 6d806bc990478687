// Buffered data files: a reader and a writer of our own over the system calls, the safe
// rewrite that puts a new file in place of an old one in one step, and byte-exact copies.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstring>
#include <string>

/// Whether an open follows a symbolic link at the file's name, or refuses it (fails).
enum class Links { kFollow, kRefuse };

/// A data file open for reading, with one-byte push-back. Closed when it goes.
class FileIn {
 public:
  /// How the file is opened: read only, or read and write (the file is only read, but
  /// a file that cannot be written is then refused, as the store's editors want).
  enum class Mode { kRead, kUpdate };

  explicit FileIn(const char* name, Mode mode = Mode::kRead, Links links = Links::kFollow);
  /// Reads the descriptor `fd`, already open (standard input); closed when it goes.
  explicit FileIn(int fd) : fd_(fd) {}
  ~FileIn();
  FileIn(const FileIn&) = delete;
  FileIn& operator=(const FileIn&) = delete;

  /// Whether the file could be opened.
  bool ok() const { return fd_ >= 0; }
  /// Closes the file before it goes, so that a rewrite can put a new file in its place
  /// in one step (Windows renames over no file that is still open); reads then meet the end.
  void close();
  /// Whether a read failed (an I/O error, a directory in the file's place). A failed
  /// read looks like the end of the file to the scanners; callers that must not take
  /// one for the other ask here.
  bool failed() const { return failed_; }
  /// The descriptor, for whole-file operations (size, byte-exact copies).
  int fd() const { return fd_; }
  /// How many bytes of the file have been taken so far: the offset of the next byte.
  long long offset() const { return base_ + static_cast<long long>(pos_); }

  /// The next byte (0-255), or -1 at the end of the file (or after a failed read).
  int get() {
    if (pos_ == end_ && !fill()) return -1;
    return buffer_[pos_++];
  }

  /// Goes to `offset`: the next byte read is the one there. False when it cannot.
  bool seek(long long offset);

  /// Puts back the byte just read, so the next get() returns it again.
  void unget(int c) {
    if (c >= 0 && pos_ > 0) buffer_[--pos_] = static_cast<unsigned char>(c);
  }

  /// The bytes already read from the file and not yet taken, [ahead(), ahead_end());
  /// empty when the buffer is spent. Scanners walk them in place and then skip() what
  /// they took, instead of one get() per byte.
  const unsigned char* ahead() const { return buffer_ + pos_; }
  const unsigned char* ahead_end() const { return buffer_ + end_; }
  /// Takes `count` of the bytes ahead (at most as many as there are).
  void skip(std::size_t count) { pos_ += count; }
  /// Reads more of the file once the bytes ahead are spent; false at the end of the file.
  /// The last byte taken can still be put back afterwards.
  bool refill() { return pos_ == end_ && fill(); }

 private:
  bool fill();

  static constexpr std::size_t kBufferSize = 64 * 1024;
  int fd_ = -1;
  bool failed_ = false;
  long long base_ = 0;  // file offset of buffer_[0]
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  unsigned char buffer_[kBufferSize];
};

/// A data file open for writing, buffered; every failure is remembered, so a caller
/// checks once, after sync().
class FileOut {
 public:
  /// Created or emptied; appended to, never created (a name with no file behind it, a
  /// dangling link included, is refused); created only where no file of that name exists
  /// (an existing one is refused, never emptied); or opened for writing in place, created
  /// when missing but never emptied. (Scratch files are made by Rewrite.)
  enum class Mode { kTruncate, kAppend, kExclusive, kInPlace };

  FileOut(const char* name, Mode mode, mode_t bits = 0644, Links links = Links::kFollow);
  /// Writes to the descriptor `fd`, already open (standard output, or a file just created),
  /// from where it stands (from its start when `from_start`); closed when it goes.
  explicit FileOut(int fd, bool from_start = false) : fd_(fd), from_start_(from_start) {}
  ~FileOut();
  FileOut(const FileOut&) = delete;
  FileOut& operator=(const FileOut&) = delete;

  /// Whether the file could be opened.
  bool ok() const { return fd_ >= 0; }
  /// The descriptor, for the permission bits and owner of a scratch file.
  int fd() const { return fd_; }
  /// Whether a write has failed so far.
  bool failed() const { return failed_; }
  /// The system's error number of the first failed write (0 when none failed).
  int error() const { return error_; }

  /// Writes `size` bytes.
  void write(const char* bytes, std::size_t size) {
    if (size <= kBufferSize - used_) {  // the common case: room in the buffer
      std::memcpy(buffer_ + used_, bytes, size);
      used_ += size;
    } else {
      write_through(bytes, size);
    }
  }
  /// Writes a NUL-terminated text.
  void put(const char* text) { write(text, std::strlen(text)); }
  /// Writes one entry in the store layout: "\n", quotation, "\n", author, "\n".
  void put_entry(const char* quote, const char* author);
  /// Writes the bytes [begin, end) of the file open at `source`, exactly, with the
  /// kernel's copy where it has one. A failed read of the source counts as a failed write.
  void copy_from(int source, long long begin, long long end);

  /// Counts a failure of what feeds the file (a source that could not be read), so that
  /// the file is never taken for whole.
  void fail() { failed_ = true; }

  /// Cuts the file back to `size` bytes, undoing an append that failed or must not stand.
  bool cut_back(long long size);

  /// Hands the buffer to the system; false if any write so far failed.
  bool flush();
  /// Flushes and forces the file to disk; false if anything so far failed.
  bool sync();
  /// Closes the file; false if anything so far, or the close itself, failed.
  bool close();

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;
  /// Written bytes are handed to the disk in steps of this size while writing goes on,
  /// so that sync() finds little left to wait for.
  static constexpr std::size_t kWritebackStep = 8 * 1024 * 1024;
  void start_writeback();
  void write_through(const char* bytes, std::size_t size);
  bool copy_by_kernel(int source, long long& begin, long long end);

  int fd_ = -1;
  bool failed_ = false;
  int error_ = 0;
  std::size_t used_ = 0;
  long long written_ = 0;       // bytes handed to the system so far
  long long written_back_ = 0;  // of which the disk has been asked to write back
  bool from_start_ = true;      // written from offset 0 (not appended), so offsets are known
  char buffer_[kBufferSize];
};

/// Which permission bits a rewritten file gets.
enum class Bits {
  kKept,     ///< the replaced file's; where there is none, those of `bits_like`, else 0644
  kNoWider,  ///< those of `bits_like`, less any the replaced file lacks (a copy is never
             ///< more open than its source, nor than the copy it replaces)
};

/// A new version of `target` written into a scratch file and renamed over it in one
/// step: at no moment is there no `target`. The new file gets its permission bits as
/// `bits` says (and, where the process may set them, the owner and group of the file it
/// replaces). A symbolic link at `target` is replaced as it stands, never followed; but
/// when `through_link` is set, the file it leads to is replaced, so the link stays a link.
/// The scratch file is made beside the file replaced: under the name `scratch` in the
/// current directory (whatever stands there is removed first), under a name no file has
/// in another directory (nothing there is ever removed). It is removed unless committed.
class Rewrite {
 public:
  Rewrite(const char* target, const char* scratch, const char* bits_like = nullptr,
          bool through_link = false, Bits bits = Bits::kKept);
  ~Rewrite();
  Rewrite(const Rewrite&) = delete;
  Rewrite& operator=(const Rewrite&) = delete;

  /// Whether the scratch file could be created.
  bool ok() const { return out_.ok(); }
  /// Where the new contents go.
  FileOut& out() { return out_; }
  /// The scratch file's name, for reading back what has been written (once flushed).
  const std::string& scratch() const { return scratch_; }
  /// Syncs and closes the scratch file, renames it over the target and syncs the
  /// directory. False, with the target as it was and no scratch file, on any failure.
  bool commit();

 private:
  std::string target_;   // the file replaced (a link's destination when followed)
  std::string scratch_;  // beside it
  FileOut out_;
  bool created_;  // only a scratch file this rewrite created is ever removed
  bool committed_ = false;
};

/// Where `store` is missing, puts back as `store` the newest old store that a rewrite set
/// aside ("<store>.talvo-N") and did not get to remove: on Windows, which renames over no
/// file held open, a rewrite may set the old file aside first, and a run cut off between
/// the two renames leaves the collection under that name alone. Elsewhere nothing to do.
void put_back_set_aside_store(const char* store);

/// Whether anything stands at `name` (a symbolic link counts, wherever it leads).
bool name_taken(const char* name);

/// The file a rewrite of `name` replaces: `name` itself, or, through a symbolic link when
/// `through_link` (POSIX only), the file it finally leads to; a dangling link is `name`.
std::string replaced_file(const char* name, bool through_link);
/// The directory part of a path ("." for a bare name).
std::string directory_of(const std::string& path);

/// The size of the file open at `fd`, or -1 when it cannot be learnt.
long long file_size(int fd);

/// Reads at most `size` bytes at `offset` of the file open at `fd`, leaving the offset
/// the file's reads go on from as it was. Returns how many were read (0 past the end),
/// -1 on an error; an interrupted read is retried.
long read_at(int fd, void* buffer, std::size_t size, long long offset);
