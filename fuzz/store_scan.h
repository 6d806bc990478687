// The fuzzers' view of a data file: read back with the program's one entry reader,
// driven as its readers drive it, with the reader's promises checked.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace fuzzcheck {

/// Reports a broken promise and aborts, so that libFuzzer keeps the input (and a replay
/// fails).
[[noreturn]] void fail(const std::string& what);

/// One entry as a reader delivers it, cut at its first NUL as every later use cuts it.
struct Entry {
  std::string quote;
  std::string author;
  bool operator==(const Entry&) const = default;
};

/// Where an entry lies in its file, as the reader gave it: [begin, end).
struct Span {
  long long begin = -1;
  long long end = -1;
};

/// How the reader is driven.
enum class Reader {
  kCount,      ///< the entry count: first line read with " %[^\n]", an author cut by the end kept empty
  kSelection,  ///< search, selection and deletion: first line skipped, an author cut by the end kept empty
  kJournal,    ///< journals: first line skipped, stop at an entry whose author the end cut
};

/// What a reader found in a data file.
struct Scan {
  std::vector<Entry> entries;
  std::vector<Span> spans;  ///< where each entry lies, in the same order
};

/// Reads the file at `path` as `how` says, checking on every entry: the quote field is
/// NUL-terminated, starts and ends with a double quote, holds only admitted bytes between
/// them and at most 1997 of them; the author is NUL-terminated within its field, one line;
/// the span begins at a double quote after the first line, ends after a newline or at the
/// end of the file, and follows the span before it; the scan ends within one entry per
/// byte of the file and stays at its end.
Scan scan_file(const std::string& path, Reader how);

/// The bytes of a file, or `absent` when it cannot be read.
std::string read_bytes(const std::string& path, bool* exists = nullptr);
/// Writes exactly these bytes to a file, created or emptied.
void write_bytes(const std::string& path, const std::string& bytes);

/// A new directory of our own for scratch files, in memory (/dev/shm) where the machine
/// has it, so that the program's syncs cost nothing.
std::string make_scratch_dir(const char* tag);

}  // namespace fuzzcheck
