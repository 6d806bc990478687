// Selecting the N-th match of a search, and main menu 11, which only shows it.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "match_scan.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"

QuoteEntry find_entry(char* search, int n, char case_answer, EntrySpan* span) {
  file_exists(kStoreFile);
  MatchScan scan(search, case_answer);
  QuoteEntry result{};
  QuoteEntry entry;
  EntrySpan where;
  bool selected = false;
  // Only the N-th match is shown; an N below 1 never selects, and the scan stops once
  // the count has passed it.
  for (int matches = 0; matches <= n && scan.next(entry, &where);) {
    if (++matches != n) continue;
    console::outf(scan.ignoring_case() ? "\n\n\nResultado:\n \tCitação: %s\n\n \tAutor: %s\n\n\n"_cp
                                       : "\n\n\nEntrada:\n \tCitação: %s\n\n \tAutor: %s\n\n\n"_cp,
                  entry.quote, entry.author);
    result = entry;
    if (span != nullptr) *span = where;
    selected = true;
    break;
  }
  if (!selected) console::out("\n\nNão há entradas a mostrar.\n\n"_cp);
  console::out("_____________________________________\n\n");
  console::wait();
  return result;
}

SelectionAnswers ask_selection(bool case_on_new_line) {
  SelectionAnswers answers{};
  console::out("Procurar: ");
  console::read_line(answers.search, sizeof answers.search);
  console::out("Número de entrada: "_cp);
  console::read_number(answers.n);
  console::out(case_on_new_line ? "\nSem distinção de maiúsculas e minúsculas? (S/N) "_cp
                                : "Sem distinção de maiúsculas e minúsculas? (S/N) "_cp);
  answers.case_answer = console::read_char();
  return answers;
}

void lookfor_entry() {
  do {
    SelectionAnswers answers = ask_selection(false);
    find_entry(answers.search, answers.n, answers.case_answer);
  } while (continue_dialogue());
}
