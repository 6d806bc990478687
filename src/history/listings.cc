// The two listings of a session journal, and fetching an entry by its listed number.
#include "console.h"
#include "cp850.h"
#include "encoding.h"
#include "file_errors.h"
#include "history.h"
#include "quote_entry.h"
#include "shell.h"
#include "store.h"

namespace {

void page_break() {
  console::out("\n\n\n\tPrima Enter para continuar...\n\n");
  console::wait();
}

/// Reads the author of the quotation just read; false for an entry with no author line
/// (cut by the end of the file), which the journal readers leave out.
bool read_author(FileIn& journal, char* author) {
  return read_line(journal, author, kAuthorSize) == scan::Line::kTaken;
}

}  // namespace

void list_changes(const char* name) {
  FileIn journal(name);
  if (!journal.ok()) {
    console::outf("\n\nErro: Impossibilidade em abrir o ficheiro %s\n", name);
    console::wait();
    exit_program(-1);
  }
  QuoteEntry entry;
  int count = 0;
  // The first line is not skipped: the reader walks over the empty line by itself. The
  // listing ends at the first result that is not a quotation.
  while (getquot(journal, entry.quote) == 1 && read_author(journal, entry.author)) {
    ++count;
    transl_f2c(entry.quote, static_cast<int>(kQuoteSize));
    transl_f2c(entry.author, static_cast<int>(kAuthorSize));
    console::outf("\n\n\t%d) \n\t\tEntrada: %s\n\t\tAutor: %s", count, entry.quote, entry.author);
    if (count % 10 == 0) page_break();
  }
  if (count == 1) console::out("\n\nFoi listada 1 entrada.");
  else console::outf("\n\nForam listadas %d entradas.", count);
}

void show_list(const char* name) {
  FileIn journal(name);
  if (!journal.ok()) {
    cannot_open_file(Opening::kNewLine);
  }
  flushin(journal);
  QuoteEntry entry;
  int number = 1;
  for (int got; (got = getquot(journal, entry.quote)) != -1;) {
    if (got != 1) continue;
    if (!read_author(journal, entry.author)) break;
    transl_f2c(entry.quote, static_cast<int>(kQuoteSize));
    transl_f2c(entry.author, static_cast<int>(kAuthorSize));
    console::outf("\n\n%d)\n\t%s\n%s", number, entry.quote, entry.author);
    // Tested on the number the next entry gets: the wait follows the 9th, 19th... entry.
    if (++number % 10 == 0) page_break();
  }
}

QuoteEntry find_entryH(const char* name, int number) {
  FileIn journal(name);
  if (!journal.ok()) {
    cannot_open_file(Opening::kSameLine);
  }
  flushin(journal);
  QuoteEntry result{};
  QuoteEntry entry;
  // Positions are counted exactly as the numbered listing numbers the entries.
  int position = 0;
  for (int got; (got = getquot(journal, entry.quote)) != -1;) {
    if (got != 1 || !read_author(journal, entry.author)) continue;
    if (++position == number) {
      result = entry;
      break;
    }
  }
  return result;
}
