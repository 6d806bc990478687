// Main menus 3 and 4: deleting and replacing an entry found by search.
#include "console.h"
#include "cp850.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"
#include "store.h"

namespace {

/// Asks which match to act on, clears the screen and selects it (shown, or empty).
QuoteEntry ask_and_select() {
  SelectionAnswers answers = ask_selection(true);
  console::clear_screen();
  return find_entry(answers.search, answers.n, answers.case_answer);
}

}  // namespace

void erase_entry() {
  do {
    QuoteEntry chosen = ask_and_select();
    if (chosen.quote[0] == '\0') continue;  // nothing selected: no question
    console::out("\n\nQuer realmente eliminar esta entrada? (S/N) ");
    if (is_yes(console::read_char()))
      delete_entry(chosen.quote, chosen.author);
    else
      console::out("A entrada não foi eliminada."_cp);
    console::wait();
  } while (continue_dialogue());
}

void alter_entry() {
  do {
    QuoteEntry chosen = ask_and_select();
    // Asked even when nothing was selected: the replace then works as a plain addition.
    console::out("\n\nQuer realmente substituir esta entrada? (S/N) ");
    if (is_yes(console::read_char())) {
      delete_entry(chosen.quote, chosen.author);
      console::out("Adicionar nova entrada...\n\n");
      alter_addentry();
    } else {
      console::out("A entrada não foi alterada."_cp);
    }
    console::wait();
  } while (continue_dialogue());
}
