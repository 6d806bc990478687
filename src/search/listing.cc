// Main menu 2: the search listing of every match.
#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "encoding.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"
#include "store.h"

namespace {

/// Prints the number of results that closes the listing.
void print_count(int results) {
  if (results == 0) console::out("\n\nNão há resultados a mostrar.\n\n"_cp);
  else if (results == 1) console::out("Houve 1 resultado.\n");
  else console::outf("\n\nHouveram %d resultados.\n", results);
}

}  // namespace

void create_list(char* search, char case_answer) {
  bool ignore_case = is_yes(case_answer);
  if (ignore_case) tolow_c(search);
  console::flushin();
  FileIn store(kStoreFile);
  if (!store.ok()) {
    console::out("Erro: Impossibilidade em abrir o ficheiro\n");
    exit_program(-1);
  }
  flushin(store);  // the header line
  console::out("\n\n|======= Lista de resultados =======|");
  QuoteEntry entry;
  int results = 0;
  for (int got; (got = getquot(store, entry.quote)) != -1;) {
    if (got != 1) continue;
    if (read_line(store, entry.author, kAuthorSize) == scan::Line::kAtEnd) entry.author[0] = '\0';
    if (!match_entry(search, entry.quote, entry.author, ignore_case)) continue;
    ++results;
    console::outf("\n\n\n%da Resultado:\n \tCitação: %s\n\n \tAutor: %s\n\n\n"_cp, results,
                  entry.quote, entry.author);
    if (results % 10 == 0) {
      console::out("\n\n\n\tPrima Enter para continuar...\n\n");
      console::wait();
    }
  }
  print_count(results);
  console::out("_____________________________________\n\n");
  console::wait();
}

void list_entries() {
  do {
    char search[kSearchSize];
    console::out("Procurar: ");
    console::read_line(search, sizeof search);
    console::out("Sem distinção de maiúsculas e minúsculas? (S/N) "_cp);
    char case_answer = console::read_char();
    create_list(search, case_answer);
  } while (continue_dialogue());
}
