// Main menu 5: the history of the current run, and undoing one of its changes.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "encoding.h"
#include "history.h"
#include "journal.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"
#include "store.h"

namespace {

/// Shows the numbered listing of a journal and fetches the entry whose number is typed,
/// translated to the console code page. False when the user cancels or the number has
/// no entry behind it (both reported).
bool pick_entry(const char* journal, const char* list_title, QuoteEntry& picked) {
  console::clear_screen();
  console::out("\n\n\bRecuperar citação (introduza 0 para cancelar)"_cp);
  console::out(list_title);
  show_list(journal);
  console::out("\n\n\nNúmero da entrada: "_cp);
  int number = 0;
  bool typed = console::read_number(number);
  if (typed && number == 0) {
    console::out("\n\nOperação cancelada."_cp);
    return false;
  }
  picked = typed ? find_entryH(journal, number) : QuoteEntry{};
  if (picked.author[0] == '\0') {
    console::out("\n\nErro: Entrada inválida"_cp);
    return false;
  }
  transl_f2c(picked.quote, static_cast<int>(kQuoteSize));
  transl_f2c(picked.author, static_cast<int>(kAuthorSize));
  return true;
}

/// Reads the answer at a history menu; a non-number shows the report again.
int read_answer() {
  int answer = -1;
  console::read_number(answer);
  return answer;
}

}  // namespace

void list_hist() {
  console::out("\n\tHistória da sessão actual"_cp);
  if (Nadd == 0 && Ndele == 0) console::out("\n\n\nNão existe nada a reportar..."_cp);
  if (Nadd != 0) {
    console::out("\n\n\n\nEntradas adicionadas...");
    list_changes(kAddedJournal);
  }
  if (Nadd != 0 && Ndele != 0) {
    console::out("\n");
    console::wait();
    console::clear_screen();
  }
  if (Ndele != 0) {
    console::out("\n\nEntradas eliminadas...");
    list_changes(kDeletedJournal);
  }
  console::out("\n");
  console::wait();
}

void recov_quot() {
  QuoteEntry entry;
  if (pick_entry(kDeletedJournal, "\n\nLista de entradas eliminadas...", entry))
    add_entry(entry.quote, entry.author);
}

void del_quot() {
  QuoteEntry entry;
  if (pick_entry(kAddedJournal, "\n\nLista de entradas adicionadas...", entry))
    delete_entry(entry.quote, entry.author);
}

void history() {
  for (;;) {
    console::clear_screen();
    list_hist();
    console::clear_screen();
    int answer;
    if (Nadd != 0 || Ndele != 0) {
      console::out(
          "\n\n\t0)Sair do programa\n\t1)Retornar ao menu anterior\n\n"
          "\t2)Deseja recuperar alguma citação eliminada?\n"
          "\t3)Eliminar alguma citação adicionada?\n\n\nOpção: "_cp);
      answer = read_answer();
      if (answer == 2) recov_quot();
      if (answer == 3) del_quot();
    } else {
      console::out("\n\t1)Retornar ao menu anterior\n\t0)Sair do programa\n\nOpção: "_cp);
      answer = read_answer();
    }
    if (answer == 0) exit_program(0);
    if (answer == 1) return;
  }
}
