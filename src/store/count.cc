// Main menu 9: the entry count.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "entry_reader.h"
#include "file_errors.h"
#include "quote_entry.h"
#include "record_reader.h"
#include "store.h"

void skip_store_header(FileIn& store) {
  char first[kQuoteSize];
  read_line(store, first, sizeof first);  // the header line, whatever it holds
}

int count_entries(FileIn& store) {
  skip_store_header(store);
  EntryReader entries(store);
  FoundEntry found;
  int count = 0;
  while (entries.next(found, EntryReader::Keep::kSpan))
    ++count;  // an author cut by the end still counts
  return count;
}

void mem_check() {
  FileIn store(kStoreFile, FileIn::Mode::kUpdate);
  if (!store.ok()) {
    cannot_open_file(Opening::kNewLine);
  }
  const int count = count_entries(store);
  if (store.failed()) cannot_read_file(kStoreFile);
  console::outf("\nExistem em memória %d citações.\n"_cp, count);
  console::wait();
}
