// The one reader of entries: every reader of a data file walks its entries through here.
#pragma once

#include "file_io.h"
#include "quote_entry.h"

/// Where one entry lies in its file: from its opening double quote to just past the
/// newline that ends its author line (or to the end of the file).
struct EntrySpan {
  long long begin = -1;
  long long end = -1;
  /// Whether it stands for an entry (a span found by a reader).
  bool found() const { return begin >= 0; }
};

/// One entry as it stands in a data file (file code page), and where.
struct FoundEntry {
  QuoteEntry entry;
  EntrySpan span;
  /// The file ended before an author line: the author is empty.
  bool author_cut = false;
  /// Bytes that begin no quotation were walked over since the entry before.
  bool walked_over = false;
};

/// Reads the entries of a data file from where it stands (the caller has dealt with its
/// first line): the record reader for each quotation, then the author line after it.
/// Bytes that begin no quotation are walked over. A failed read is never taken for the
/// end of the file: it ends the entries, and failed() tells; what follows is the caller's
/// to decide.
class EntryReader {
 public:
  explicit EntryReader(FileIn& in) : in_(in) {}

  /// What of an entry is kept.
  enum class Keep {
    kWhole,  ///< its quotation and author
    kSpan,   ///< only where it lies (the quotation is left as "\"\"", the author empty)
  };
  /// The next entry; false at the end of the file, or after a failed read.
  bool next(FoundEntry& found, Keep keep = Keep::kWhole);
  /// Whether a read of the file failed.
  bool failed() const { return in_.failed(); }

 private:
  FileIn& in_;
};
