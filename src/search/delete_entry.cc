// Removing an entry from the store: a full rewrite through the scratch file.
#include <cstring>

#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "encoding.h"
#include "file_errors.h"
#include "journal.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"
#include "store.h"

namespace {

/// Copies the store into `out` without the entries equal to the given one (file code
/// page); true when any was left out. The rewrite drops every byte the reader walks over.
bool copy_without(FileIn& store, FileOut& out, const char* quote, const char* author) {
  char text[kQuoteSize];
  char by[kAuthorSize];
  if (read_line(store, text, sizeof text) == scan::Line::kAtEnd)
    std::strcpy(text, kStoreHeader);  // an empty store gets its header line
  out.put(text);
  out.put("\n");
  bool found = false;
  for (int got; (got = getquot(store, text)) != -1;) {
    if (got != 1) continue;
    // A quotation with no author line after it is kept, with an empty author.
    if (read_line(store, by, sizeof by) == scan::Line::kAtEnd) by[0] = '\0';
    if (std::strcmp(text, quote) == 0 && std::strcmp(by, author) == 0) found = true;
    else out.put_entry(text, by);
  }
  return found;
}

}  // namespace

void delete_entry(char* quote, char* author) {
  file_exists(kStoreFile);
  transl_c2f(quote, static_cast<int>(kQuoteSize));
  transl_c2f(author, static_cast<int>(kQuoteSize));  // stops at the NUL within the field
  console::flushin();
  FileIn store(kStoreFile, FileIn::Mode::kUpdate);
  if (!store.ok()) cannot_open_file(Opening::kNewLine);
  Rewrite rewrite(kStoreFile, kStoreScratch);
  if (!rewrite.ok()) cannot_open_file(Opening::kNewLine);
  bool found = copy_without(store, rewrite.out(), quote, author);
  store.close();
  if (!rewrite.commit()) {
    cannot_change_file(kStoreFile);
    return;
  }
  if (!found) {
    console::out("\n\nErro: Entrada não existe em memória.\n\n"_cp);
    return;
  }
  console::out("\n\nEntrada eliminada com sucesso.\n\n");
  add_entryH(kDeletedJournal, quote, author);
  if (Nadd > 0) delete_entryH(kAddedJournal, quote, author);
}
