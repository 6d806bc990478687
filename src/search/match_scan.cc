// The scan of the store shared by the search listing and the N-th match selection.
#include "match_scan.h"

#include "console.h"
#include "data_files.h"
#include "encoding.h"
#include "search.h"
#include "shell.h"
#include "store.h"

MatchScan::MatchScan(char* search, char case_answer)
    : search_(search), ignore_case_(is_yes(case_answer)), store_(kStoreFile) {
  if (ignore_case_) tolow_c(search);
  console::flushin();
  if (!store_.ok()) {
    console::out("Erro: Impossibilidade em abrir o ficheiro\n");
    exit_program(-1);
  }
  flushin(store_);  // the header line
}

bool MatchScan::next(QuoteEntry& entry) {
  for (int got; (got = getquot(store_, entry.quote)) != -1;) {
    if (got != 1) continue;
    // A quotation with no author line after it is taken with an empty author.
    if (read_line(store_, entry.author, kAuthorSize) == scan::Line::kAtEnd) entry.author[0] = '\0';
    if (match_entry(search_, entry.quote, entry.author, ignore_case_)) return true;
  }
  return false;
}
