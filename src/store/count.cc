// Main menu 9: the entry count.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "file_errors.h"
#include "quote_entry.h"
#include "shell.h"
#include "store.h"

void mem_check() {
  FileIn store(kStoreFile, FileIn::Mode::kUpdate);
  if (!store.ok()) {
    cannot_open_file(Opening::kNewLine);
  }
  char quote[kQuoteSize];
  char author[kAuthorSize];
  read_line(store, quote, sizeof quote);  // the header line, whatever it holds
  int count = 0;
  for (int found; (found = getquot(store, quote)) != -1;) {
    if (found != 1) continue;
    read_line(store, author, sizeof author);  // an author cut by the end still counts
    ++count;
  }
  console::outf("\nExistem em memória %d citações.\n"_cp, count);
  console::wait();
}
