// The session journals: appending an entry and striking one, with their counters.
#include "journal.h"

#include <cstring>

#include "data_files.h"
#include "entry_edits.h"
#include "file_errors.h"
#include "record_reader.h"

int Nadd = 0;
int Ndele = 0;

namespace {

int& counter_of(const char* name) { return std::strcmp(name, kAddedJournal) == 0 ? Nadd : Ndele; }

}  // namespace

bool add_entryH(const char* name, const char* quote, const char* author) {
  // A journal that cannot be opened is met like one that cannot be written: the change
  // it was to record is undone by the caller.
  if (append_entries(name, [&](FileOut& journal) { journal.put_entry(quote, author); }) !=
      Appended::kDone)
    return false;
  ++counter_of(name);
  return true;
}

void delete_entryH(const char* name, const char* quote, const char* author) {
  file_exists(name);
  FileIn journal(name, FileIn::Mode::kUpdate, links_at(name));
  if (!journal.ok()) cannot_open_file(Opening::kNewLine);
  flushin(journal);  // the empty line that begins the first entry
  // An entry with no author line (cut by the end of the file) is not a record.
  EntrySpan struck = last_equal(journal, quote, author, false);
  if (journal.failed()) {
    cannot_change_file(name);
    return;
  }
  if (!struck.found()) return;  // nothing to strike: the journal is not touched
  Rewrite rewrite(name, kJournalScratch);
  if (!rewrite.ok()) cannot_open_file(Opening::kNewLine);
  copy_without(journal, struck, rewrite.out());
  journal.close();  // a file still open is replaced in one step only where it is closed
  if (!rewrite.commit()) {
    cannot_change_file(name);
    return;
  }
  --counter_of(name);
}
