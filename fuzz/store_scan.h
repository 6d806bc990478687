// The fuzzers' view of a data file: read back with the program's own record reader and
// line reads, driven as its readers drive them, with the reader's promises checked.
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

/// How the reader is driven.
enum class Reader {
  kStore,    ///< count and deletion: first line read, 50-byte authors, an author cut by the end is kept empty
  kCopy,     ///< safety and backup copies: first line read, 2000-byte authors, stop at an author cut by the end
  kJournal,  ///< journals: first line skipped, 50-byte authors, stop at an author cut by the end
};

/// What a reader found in a data file.
struct Scan {
  bool has_first = false;  ///< the first-line read took something
  std::string first;       ///< that line, cut at its first NUL
  std::vector<Entry> entries;
  /// A line read took text that its first NUL cuts to nothing: written back, such a line
  /// is an empty line, which the next line read walks over, so the file's reading shifts.
  bool nul_cut = false;
};

/// Reads the file at `path` as `how` says, checking on every record: the quote field is
/// NUL-terminated, starts and ends with a double quote, holds only admitted bytes between
/// them and at most 1997 of them; an author is NUL-terminated within its field, one line;
/// the scan ends within one reader call per byte of the file.
Scan scan_file(const std::string& path, Reader how);

/// The bytes of a file, or `absent` when it cannot be read.
std::string read_bytes(const std::string& path, bool* exists = nullptr);
/// Writes exactly these bytes to a file, created or emptied.
void write_bytes(const std::string& path, const std::string& bytes);

/// A new directory of our own for scratch files, in memory (/dev/shm) where the machine
/// has it, so that the program's syncs cost nothing.
std::string make_scratch_dir(const char* tag);

/// Copies the file at `from` into `to` with the program's copy (byte for byte).
void copy_layout(const std::string& from, const std::string& to);

}  // namespace fuzzcheck
