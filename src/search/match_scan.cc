// The scan of the store shared by the search listing and the N-th match selection.
#include "match_scan.h"

#include "console.h"
#include "data_files.h"
#include "file_errors.h"
#include "record_reader.h"
#include "search.h"

MatchScan::MatchScan(const char* search, char case_answer)
    : test_(search, console::is_yes(case_answer)), store_(kStoreFile), entries_(store_) {
  console::flushin();
  if (!store_.ok()) {
    cannot_open_file(Opening::kSameLine);
  }
  flushin(store_);  // the header line: the first read, so a store that cannot be read
  if (store_.failed()) cannot_read_file(kStoreFile);  // says so before any results header
}

bool MatchScan::next(QuoteEntry& entry, EntrySpan* span) {
  FoundEntry found;
  // A quotation with no author line after it is taken with an empty author.
  while (entries_.next(found)) {
    if (!test_.matches(found.entry.quote, found.entry.author)) continue;
    entry = found.entry;
    if (span != nullptr) *span = found.span;
    return true;
  }
  if (entries_.failed()) cannot_read_file(kStoreFile);
  return false;
}
