// Selecting the N-th match of a search, and main menu 11, which only shows it.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "encoding.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"
#include "store.h"

QuoteEntry find_entry(char* search, int n, char case_answer) {
  file_exists(kStoreFile);
  bool ignore_case = is_yes(case_answer);
  if (ignore_case) tolow_c(search);
  console::flushin();
  FileIn store(kStoreFile);
  if (!store.ok()) {
    console::out("Erro: Impossibilidade em abrir o ficheiro\n");
    exit_program(-1);
  }
  flushin(store);  // the header line
  QuoteEntry result{};
  QuoteEntry entry;
  int matches = 0;
  bool selected = false;
  // An N below 1 never selects: the scan stops once the count has passed it.
  for (int got; !selected && (got = getquot(store, entry.quote)) != -1 && matches <= n;) {
    if (got != 1) continue;
    if (read_line(store, entry.author, kAuthorSize) == scan::Line::kAtEnd) entry.author[0] = '\0';
    if (!match_entry(search, entry.quote, entry.author, ignore_case) || ++matches != n) continue;
    console::outf(ignore_case ? "\n\n\nResultado:\n \tCitação: %s\n\n \tAutor: %s\n\n\n"_cp
                              : "\n\n\nEntrada:\n \tCitação: %s\n\n \tAutor: %s\n\n\n"_cp,
                  entry.quote, entry.author);
    result = entry;
    selected = true;
  }
  if (!selected) console::out("\n\nNão há entradas a mostrar.\n\n"_cp);
  console::out("_____________________________________\n\n");
  console::wait();
  return result;
}

void lookfor_entry() {
  do {
    char search[kSearchSize];
    console::out("Procurar: ");
    console::read_line(search, sizeof search);
    console::out("Número de entrada: "_cp);
    int n = 0;  // no number typed: selects nothing
    console::read_number(n);
    console::out("Sem distinção de maiúsculas e minúsculas? (S/N) "_cp);
    char case_answer = console::read_char();
    find_entry(search, n, case_answer);
  } while (continue_dialogue());
}
