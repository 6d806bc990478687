// The session journals: appending an entry and striking one, with their counters.
#include "journal.h"

#include <cstring>

#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "file_errors.h"
#include "quote_entry.h"
#include "shell.h"
#include "store.h"

int Nadd = 0;
int Ndele = 0;

namespace {

int& counter_of(const char* name) { return std::strcmp(name, kAddedJournal) == 0 ? Nadd : Ndele; }

}  // namespace

void add_entryH(const char* name, const char* quote, const char* author) {
  file_exists(name);
  FileOut journal(name, FileOut::Mode::kAppend);
  if (!journal.ok()) cannot_open_file(Opening::kSameLine);
  journal.put_entry(quote, author);
  if (!journal.sync()) {
    console::out("Erro: A entrada não foi adicionada.\n\n"_cp);
    exit_program(-1);
  }
  ++counter_of(name);
}

void delete_entryH(const char* name, const char* quote, const char* author) {
  bool found = false;
  file_exists(name);
  FileIn journal(name, FileIn::Mode::kUpdate);
  if (!journal.ok()) cannot_open_file(Opening::kNewLine);
  Rewrite rewrite(name, kJournalScratch);
  if (!rewrite.ok()) cannot_open_file(Opening::kNewLine);
  flushin(journal);  // the empty line that begins the first entry
  char text[kQuoteSize];
  char by[kAuthorSize];
  for (int got; (got = getquot(journal, text)) != -1;) {
    if (got != 1) continue;  // a byte walked over is dropped
    // An entry with no author line (cut by the end of the file) is left out.
    if (read_line(journal, by, sizeof by) == scan::Line::kAtEnd) break;
    if (std::strcmp(text, quote) == 0 && std::strcmp(by, author) == 0) found = true;
    else rewrite.out().put_entry(text, by);
  }
  journal.close();
  if (!rewrite.commit()) {
    cannot_change_file(name);
    return;
  }
  if (found) --counter_of(name);
}
