// Removing one entry from a data file: its own bytes go, every other byte stays.
#include <cstring>

#include "entry_edits.h"
#include "entry_reader.h"

namespace {

/// The byte at `at` of the file open at `fd`, or -1 outside it; a failed read fails `out`,
/// so that the rewrite it feeds is abandoned rather than cut at the wrong place.
int byte_at(int fd, long long at, FileOut& out) {
  unsigned char c = 0;
  if (at < 0) return -1;
  long n = read_at(fd, &c, 1, at);
  if (n < 0) out.fail();
  return n == 1 ? c : -1;
}

bool same_entry(const QuoteEntry& entry, const char* quote, const char* author) {
  return std::strcmp(entry.quote, quote) == 0 && std::strcmp(entry.author, author) == 0;
}

}  // namespace

void copy_without(FileIn& file, const EntrySpan& span, FileOut& out) {
  const int fd = file.fd();
  const long long size = file_size(fd);
  long long begin = span.begin, end = span.end;
  if (size < 0) out.fail();
  const int before = byte_at(fd, begin - 1, out);  // -1 at the start of the file
  if (before == '\n' && byte_at(fd, begin - 2, out) == '\n') --begin;  // the empty line before it
  else if (end < size && byte_at(fd, end, out) == '\n' && (begin == 0 || before == '\n'))
    ++end;  // the empty line after it
  else if (end == size && before == '\n')
    --begin;  // the last entry: the line before it now ends the file
  out.copy_from(fd, 0, begin);
  out.copy_from(fd, end, size);
}

EntrySpan last_equal(FileIn& file, const char* quote, const char* author, bool cut_counts) {
  EntryReader entries(file);
  EntrySpan last;
  FoundEntry found;
  while (entries.next(found)) {
    if (found.author_cut && !cut_counts) break;
    if (same_entry(found.entry, quote, author)) last = found.span;
  }
  return entries.failed() ? EntrySpan{} : last;
}

bool entry_at(FileIn& file, const EntrySpan& span, QuoteEntry& entry) {
  if (!file.seek(span.begin)) return false;
  EntryReader entries(file);
  FoundEntry found;
  if (!entries.next(found) || found.span.begin != span.begin || found.span.end != span.end)
    return false;
  entry = found.entry;
  return true;
}
