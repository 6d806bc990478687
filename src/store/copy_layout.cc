// The copy layout shared by the safety copy and the backup copy.
#include "data_files.h"
#include "quote_entry.h"
#include "store.h"

void write_copy(FileIn& store, FileOut& copy) {
  // Both fields are as wide as the quotation's, so long lines are kept as the copy
  // layout has always kept them.
  char quote[kQuoteSize];
  char author[kQuoteSize];
  if (read_line(store, quote, sizeof quote) == scan::Line::kAtEnd) {
    copy.put(kStoreHeader);  // an empty store still gets its header
    return;
  }
  copy.put(quote);
  for (int found; (found = getquot(store, quote)) != -1;) {
    if (found != 1) continue;
    // A quotation with no author line after it ends the copy.
    if (read_line(store, author, sizeof author) == scan::Line::kAtEnd) break;
    copy.put("\n\n");
    copy.put(quote);
    copy.put("\n");
    copy.put(author);
  }
}
