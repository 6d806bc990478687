// Removing one entry from the store: its own bytes go, every other byte stays.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "encoding.h"
#include "entry_edits.h"
#include "entry_reader.h"
#include "file_errors.h"
#include "journal.h"
#include "quote_entry.h"
#include "record_reader.h"
#include "search.h"
#include "shell.h"

bool delete_entry(char* quote, char* author, const EntrySpan* chosen) {
  file_exists(kStoreFile);
  transl_c2f(quote, static_cast<int>(kQuoteSize));
  transl_c2f(author, static_cast<int>(kQuoteSize));  // stops at the NUL within the field
  console::flushin();
  FileIn store(kStoreFile, FileIn::Mode::kUpdate);
  if (!store.ok()) cannot_open_file(Opening::kNewLine);
  // The entry removed: the one the selection showed, or the last one equal to the given
  // one (the entry this run appended, when an addition is undone). Either way the journals
  // get the given text, the one shown carried back to the file code page: the history's
  // restore adds that text again, and so strikes that very record.
  EntrySpan span;
  if (chosen != nullptr) {
    // Read again where the selection found it: the selection and the deletion see the
    // same store, so the span must still hold an entry that begins and ends where it did.
    // The texts are not matched again: a text the translation cannot carry back unchanged
    // would then pick another entry, or none.
    QuoteEntry shown{};
    if (chosen->found() && entry_at(store, *chosen, shown)) span = *chosen;
  } else {
    flushin(store);  // the header line
    span = last_equal(store, quote, author, true);
  }
  if (store.failed()) {  // the store cannot be read whole: it is not rewritten
    cannot_change_file(kStoreFile);
    return false;
  }
  if (!span.found()) {
    console::out("\n\nErro: Entrada não existe em memória.\n\n"_cp);
    return false;
  }
  Rewrite rewrite(kStoreFile, kStoreScratch, nullptr, true);
  if (!rewrite.ok()) cannot_open_file(Opening::kNewLine);
  copy_without(store, span, rewrite.out());
  if (!rewrite.commit()) {
    cannot_change_file(kStoreFile);
    return false;
  }
  if (!add_entryH(kDeletedJournal, quote, author)) {
    // A deletion the history cannot undo does not stand: the old store goes back.
    if (!copy_whole(store, kStoreFile, kStoreFile, kStoreScratch)) cannot_change_file(kStoreFile);
    console::out("\n\nErro: A entrada não foi eliminada.\n\n"_cp);
    exit_program(-1);
  }
  console::out("\n\nEntrada eliminada com sucesso.\n\n");
  if (Nadd > 0) delete_entryH(kAddedJournal, quote, author);
  return true;
}
