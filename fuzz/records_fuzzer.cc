// Fuzz target: the entry reader and the removal of one entry on arbitrary file bytes, as
// the count, the search, the deletion and the journals drive them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "entry_edits.h"
#include "entry_reader.h"
#include "file_io.h"
#include "record_reader.h"
#include "store_scan.h"

namespace {

using fuzzcheck::Reader;
using fuzzcheck::Scan;

/// A directory of our own for the files each input becomes.
const std::string& scratch() {
  static const std::string dir = fuzzcheck::make_scratch_dir("records");
  return dir;
}

/// The byte at `at` of `bytes`, or -1 outside them.
int byte_at(const std::string& bytes, long long at) {
  if (at < 0 || at >= static_cast<long long>(bytes.size())) return -1;
  return static_cast<unsigned char>(bytes[static_cast<std::size_t>(at)]);
}

/// The bytes a deletion of the entry at `span` must take away: the entry's own, and at
/// most one separating newline: an empty line before it; else an empty line after it
/// (the entry standing at the start of a line); else, for an entry that ends the file,
/// the newline before it.
fuzzcheck::Span removed_range(const std::string& bytes, fuzzcheck::Span span) {
  const auto size = static_cast<long long>(bytes.size());
  if (byte_at(bytes, span.begin - 1) == '\n' && byte_at(bytes, span.begin - 2) == '\n')
    --span.begin;
  else if ((span.begin == 0 || byte_at(bytes, span.begin - 1) == '\n') && byte_at(bytes, span.end) == '\n')
    ++span.end;
  else if (span.end == size && byte_at(bytes, span.begin - 1) == '\n')
    --span.begin;
  return span;
}

/// `last_equal` on the file finds the span of the last entry equal to entry `chosen`
/// of `scan` (entries cut by the end counting or not), as the scan itself finds it.
void check_last_equal(const std::string& path, const Scan& scan, const Scan& records,
                      std::size_t chosen) {
  const fuzzcheck::Entry& wanted = scan.entries[chosen];
  for (bool cut_counts : {true, false}) {
    const Scan& among = cut_counts ? scan : records;
    fuzzcheck::Span expected;
    for (std::size_t i = 0; i < among.entries.size(); ++i)
      if (among.entries[i] == wanted) expected = among.spans[i];
    FileIn in(path.c_str());
    flushin(in);
    EntrySpan got = last_equal(in, wanted.quote.c_str(), wanted.author.c_str(), cut_counts);
    if (got.begin != expected.begin || (got.found() && got.end != expected.end))
      fuzzcheck::fail("last_equal does not find the last entry equal to the chosen one");
  }
}

/// Removing the entry the choice picks leaves every other byte, in order, but at most one
/// separating newline beside it; read back, the file gives the same entries less that one.
void check_deletion(const std::string& path, const std::string& bytes, unsigned choice) {
  const Scan before = fuzzcheck::scan_file(path, Reader::kSelection);
  if (before.entries.empty()) return;
  const std::size_t chosen = choice % before.entries.size();
  check_last_equal(path, before, fuzzcheck::scan_file(path, Reader::kJournal), chosen);

  const std::string without = scratch() + "/without";
  const fuzzcheck::Span span = before.spans[chosen];
  {
    FileIn in(path.c_str());
    FileOut out(without.c_str(), FileOut::Mode::kTruncate);
    if (!in.ok() || !out.ok()) fuzzcheck::fail("cannot open the files of a deletion");
    copy_without(in, EntrySpan{span.begin, span.end}, out);
    if (!out.close()) fuzzcheck::fail("cannot write " + without);
  }
  const fuzzcheck::Span removed = removed_range(bytes, span);
  const std::string expected = bytes.substr(0, static_cast<std::size_t>(removed.begin)) +
                               bytes.substr(static_cast<std::size_t>(removed.end));
  if (fuzzcheck::read_bytes(without) != expected)
    fuzzcheck::fail("removing entry " + std::to_string(chosen) + " at [" + std::to_string(span.begin) +
                    ", " + std::to_string(span.end) + ") did not take exactly [" +
                    std::to_string(removed.begin) + ", " + std::to_string(removed.end) + ")");

  std::vector<fuzzcheck::Entry> rest = before.entries;
  rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(chosen));
  if (fuzzcheck::scan_file(without, Reader::kSelection).entries != rest)
    fuzzcheck::fail("the file less entry " + std::to_string(chosen) +
                    " does not read back as the same entries less that one");
}

/// Every way the program reads a data file, on one file.
void check_file(const std::string& path) {
  fuzzcheck::scan_file(path, Reader::kCount);
  fuzzcheck::scan_file(path, Reader::kJournal);
}

/// The bytes after a first line so long that the readers' 64 KiB buffer ends `split`
/// bytes into them, against the same bytes after a short first line: every reader finds
/// the same entries at the same places, whatever refills and push-backs the buffer's end
/// brings.
void check_buffer_end(const std::string& bytes, std::size_t split) {
  const std::size_t buffer = 64 * 1024;
  if (split + 1 >= buffer) return;
  const std::string near = scratch() + "/near";
  const std::string far = scratch() + "/far";
  const std::string short_line = "x\n";
  const std::string long_line = std::string(buffer - 1 - split, 'x') + "\n";
  fuzzcheck::write_bytes(near, short_line + bytes);
  fuzzcheck::write_bytes(far, long_line + bytes);
  const auto shift = static_cast<long long>(long_line.size() - short_line.size());
  for (Reader how : {Reader::kCount, Reader::kSelection, Reader::kJournal}) {
    Scan at_far = fuzzcheck::scan_file(far, how);
    Scan at_near = fuzzcheck::scan_file(near, how);
    if (at_far.entries != at_near.entries)
      fuzzcheck::fail("the entries read depend on where the reader's buffer ends");
    for (std::size_t i = 0; i < at_far.spans.size(); ++i)
      if (at_far.spans[i].begin - shift != at_near.spans[i].begin ||
          at_far.spans[i].end - shift != at_near.spans[i].end)
        fuzzcheck::fail("the entry spans depend on where the reader's buffer ends");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string plain = scratch() + "/plain";
  fuzzcheck::write_bytes(plain, bytes);
  check_file(plain);
  // The entry removed: chosen by the last byte.
  check_deletion(plain, bytes, size == 0 ? 0 : data[size - 1]);
  // Where the buffer ends: chosen by the first byte, anywhere in the bytes.
  check_buffer_end(bytes, size == 0 ? 0 : data[0] % (size + 1));
  return 0;
}
