// The two listings of a session journal, and fetching an entry by its listed number.
#include "console.h"
#include "data_files.h"
#include "encoding.h"
#include "entry_reader.h"
#include "file_errors.h"
#include "history.h"
#include "quote_entry.h"
#include "record_reader.h"
#include "shell.h"

namespace {

void page_break() {
  console::out("\n\n\n\tPrima Enter para continuar...\n\n");
  console::wait();
}

/// Translates a journal entry for the screen.
void to_console(QuoteEntry& entry) {
  transl_f2c(entry.quote, static_cast<int>(kQuoteSize));
  transl_f2c(entry.author, static_cast<int>(kAuthorSize));
}

}  // namespace

void list_changes(const char* name) {
  FileIn journal(name, FileIn::Mode::kRead, links_at(name));
  if (!journal.ok()) {
    console::outf("\n\nErro: Impossibilidade em abrir o ficheiro %s\n", name);
    console::wait();
    exit_program(-1);
  }
  EntryReader entries(journal);
  FoundEntry found;
  QuoteEntry& entry = found.entry;
  int count = 0;
  // The first line is not skipped: the reader walks over the empty line by itself. The
  // listing ends at the first byte that begins no quotation, and at an entry with no
  // author line (cut by the end of the file), which the journal readers leave out.
  while (entries.next(found) && !found.walked_over && !found.author_cut) {
    ++count;
    to_console(entry);
    console::outf("\n\n\t%d) \n\t\tEntrada: %s\n\t\tAutor: %s", count, entry.quote, entry.author);
    if (count % 10 == 0) page_break();
  }
  if (entries.failed()) cannot_read_file(name);
  if (count == 1) console::out("\n\nFoi listada 1 entrada.");
  else console::outf("\n\nForam listadas %d entradas.", count);
}

void show_list(const char* name) {
  FileIn journal(name, FileIn::Mode::kRead, links_at(name));
  if (!journal.ok()) {
    cannot_open_file(Opening::kNewLine);
  }
  flushin(journal);
  EntryReader entries(journal);
  FoundEntry found;
  QuoteEntry& entry = found.entry;
  int number = 1;
  while (entries.next(found) && !found.author_cut) {
    to_console(entry);
    console::outf("\n\n%d)\n\t%s\n%s", number, entry.quote, entry.author);
    // Tested on the number the next entry gets: the wait follows the 9th, 19th... entry.
    if (++number % 10 == 0) page_break();
  }
  if (entries.failed()) cannot_read_file(name);
}

QuoteEntry find_entryH(const char* name, int number) {
  FileIn journal(name, FileIn::Mode::kRead, links_at(name));
  if (!journal.ok()) {
    cannot_open_file(Opening::kSameLine);
  }
  flushin(journal);
  EntryReader entries(journal);
  FoundEntry found;
  // Positions are counted exactly as the numbered listing numbers the entries.
  for (int position = 0; entries.next(found) && !found.author_cut;)
    if (++position == number) return found.entry;
  if (entries.failed()) cannot_read_file(name);
  return QuoteEntry{};
}
