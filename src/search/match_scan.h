// A scan of the store that yields, one at a time, the entries matching a search.
#pragma once

#include "entry_reader.h"
#include "file_io.h"
#include "quote_entry.h"
#include "search.h"

/// Opens the store for a search made ready for the case answer, discards the rest of the
/// answer line, and skips the store's header line. A store that cannot be opened or read
/// ends the program.
class MatchScan {
 public:
  MatchScan(const char* search, char case_answer);
  MatchScan(const MatchScan&) = delete;
  MatchScan& operator=(const MatchScan&) = delete;

  /// Whether letter case is ignored.
  bool ignoring_case() const { return test_.ignoring_case(); }
  /// Reads on to the next matching entry, translated to the console code page, in its
  /// stored letter case, and where it lies in the store; false at the end of the store.
  bool next(QuoteEntry& entry, EntrySpan* span = nullptr);

 private:
  MatchTest test_;
  FileIn store_;
  EntryReader entries_;
};
