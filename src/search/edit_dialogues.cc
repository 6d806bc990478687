// Main menus 3 and 4: deleting and replacing an entry found by search.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "file_errors.h"
#include "file_snapshot.h"
#include "journal.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"
#include "store.h"

namespace {

/// What a replace says when the old entry stays.
constexpr const char* kOriginalKept = "\nA entrada original foi mantida.\n";

/// Asks which match to act on, clears the screen and selects it (shown, or empty), with
/// where it lies in the store.
QuoteEntry ask_and_select(EntrySpan& span) {
  SelectionAnswers answers = ask_selection(true);
  console::clear_screen();
  return find_entry(answers.search, answers.n, answers.case_answer, &span);
}

/// What a replace may change, as it stood before: the store, both journals and their
/// counters, to be put back when the new entry is not added.
class BeforeReplace {
 public:
  BeforeReplace() : store_(kStoreFile), added_(kAddedJournal), deleted_(kDeletedJournal) {}

  /// Puts everything back and says so; a file that cannot be put back is named instead.
  void keep_original() {
    bool whole = true;
    if (!store_.restore(kStoreScratch)) whole = false, cannot_change_file(kStoreFile);
    if (!added_.restore(kJournalScratch)) whole = false, cannot_change_file(kAddedJournal);
    if (!deleted_.restore(kJournalScratch)) whole = false, cannot_change_file(kDeletedJournal);
    Nadd = nadd_;
    Ndele = ndele_;
    if (whole) console::out(kOriginalKept);
  }

 private:
  FileSnapshot store_, added_, deleted_;
  int nadd_ = Nadd, ndele_ = Ndele;
};

/// Replaces the chosen entry by a newly typed one, all or nothing: when the old one is not
/// deleted (the store cannot be read or changed), no new one is asked for; when the new
/// one is not added (refused, declined, a failed write, the end of the input), the old one
/// stays.
void replace_entry(QuoteEntry& chosen, const EntrySpan& span) {
  // Nothing selected, nothing deleted: the replace is the plain addition it always was.
  const bool selected = chosen.quote[0] != '\0';
  BeforeReplace before;
  const bool deleted = delete_entry(chosen.quote, chosen.author, selected ? &span : nullptr);
  if (selected && !deleted) {
    console::out(kOriginalKept);
    return;
  }
  console::out("Adicionar nova entrada...\n\n");
  bool added = false;
  try {
    added = alter_addentry();
  } catch (const ProgramEnd&) {
    if (selected) before.keep_original();
    throw;
  }
  if (selected && !added) before.keep_original();
}

}  // namespace

void erase_entry() {
  do {
    EntrySpan span;
    QuoteEntry chosen = ask_and_select(span);
    if (chosen.quote[0] == '\0') continue;  // nothing selected: no question
    console::out("\n\nQuer realmente eliminar esta entrada? (S/N) ");
    if (console::is_yes(console::read_char())) delete_entry(chosen.quote, chosen.author, &span);
    else console::out("A entrada não foi eliminada."_cp);
    console::wait();
  } while (continue_dialogue());
}

void alter_entry() {
  do {
    EntrySpan span;
    QuoteEntry chosen = ask_and_select(span);
    // Asked even when nothing was selected: the replace then works as a plain addition.
    console::out("\n\nQuer realmente substituir esta entrada? (S/N) ");
    if (console::is_yes(console::read_char())) replace_entry(chosen, span);
    else console::out("A entrada não foi alterada."_cp);
    console::wait();
  } while (continue_dialogue());
}
