// The system calls the data files are made of, in one place: the file layer reaches the
// system only through these, so that a test can make any one of them fail.
#pragma once

#include <cstddef>

namespace file_calls {

/// The kinds of call, as a test that fails one of them counts them.
enum class Call { kOpen, kRead, kWrite, kSync, kRename, kUnlink, kCopy };
/// How many kinds there are.
inline constexpr int kCallKinds = 7;

/// How a file is opened.
enum class Open {
  kRead,       ///< read only (a directory opens, and its reads fail)
  kUpdate,     ///< read and write, never created
  kTruncate,   ///< write, created or emptied
  kAppend,     ///< append, never created
  kExclusive,  ///< write, created only where nothing stands at the name (a link included)
  kInPlace,    ///< write from the start, created when missing, never emptied
};

// Each call is defined twice: in file_calls.cc, which hands it to the platform's own (in
// namespace platform), and by the test that fails them on demand. A program that defines
// them itself (that test) takes its own: the linker then takes no file of the library
// whose names are all defined already.

/// Opens `name` as `how` says, new files with the permission `bits`; with `follow` false a
/// symbolic link at the name is refused. A descriptor, or -1 (errno says why).
int open(const char* name, Open how, bool follow, unsigned bits);
/// Reads at most `size` bytes from where the file stands: how many, 0 at its end, -1 on
/// an error. An interrupted read is retried.
long read(int fd, void* buffer, std::size_t size);
/// Reads as read() does, at `offset`, leaving where the file stands as it was.
long read_at(int fd, void* buffer, std::size_t size, long long offset);
/// Writes at most `size` bytes: how many were taken, -1 on an error (errno says why).
long write(int fd, const void* bytes, std::size_t size);
/// Forces the file to disk; false on an error.
bool sync(int fd);
/// Renames `from` over `to` in one step; false on an error, with both as they were.
bool rename(const char* from, const char* to);
/// Removes the name (a symbolic link itself, never what it leads to); false on an error
/// (errno ENOENT when nothing stood there).
bool unlink(const char* name);
/// Copies at most `size` bytes at `offset` of the file open at `from` to where the file
/// open at `to` stands, by the kernel: how many, -1 when it did not (an error, or files
/// the kernel cannot copy between: the caller then reads and writes them itself).
long copy(int from, long long offset, int to, std::size_t size);

namespace platform {

/// The system's own calls, as above.
int open(const char* name, Open how, bool follow, unsigned bits);
long read(int fd, void* buffer, std::size_t size);
long read_at(int fd, void* buffer, std::size_t size, long long offset);
long write(int fd, const void* bytes, std::size_t size);
bool sync(int fd);
bool rename(const char* from, const char* to);
bool unlink(const char* name);
long copy(int from, long long offset, int to, std::size_t size);

}  // namespace platform
}  // namespace file_calls
