// The scan of the store shared by the search listing and the N-th match selection.
#include "match_scan.h"

#include "console.h"
#include "data_files.h"
#include "encoding.h"
#include "file_errors.h"
#include "search.h"
#include "shell.h"
#include "store.h"

namespace {

/// The search string, folded in place first when letter case is to be ignored.
const char* folded_if(char* search, bool ignore_case) {
  if (ignore_case) tolow_c(search);
  return search;
}

}  // namespace

MatchScan::MatchScan(char* search, char case_answer)
    : test_(folded_if(search, is_yes(case_answer)), is_yes(case_answer)),
      store_(kStoreFile) {
  console::flushin();
  if (!store_.ok()) {
    cannot_open_file(Opening::kSameLine);
  }
  flushin(store_);  // the header line
}

bool MatchScan::next(QuoteEntry& entry) {
  for (int got; (got = getquot(store_, entry.quote)) != -1;) {
    if (got != 1) continue;
    // A quotation with no author line after it is taken with an empty author.
    if (read_line(store_, entry.author, kAuthorSize) == scan::Line::kAtEnd) entry.author[0] = '\0';
    if (test_.matches(entry.quote, entry.author)) return true;
  }
  return false;
}
