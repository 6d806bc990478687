// Main menu 2: the search listing of every match.
#include "console.h"
#include "cp850.h"
#include "match_scan.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"

namespace {

/// Prints the number of results that closes the listing.
void print_count(int results) {
  if (results == 0) console::out("\n\nNão há resultados a mostrar.\n\n"_cp);
  else if (results == 1) console::out("Houve 1 resultado.\n");
  else console::outf("\n\nHouveram %d resultados.\n", results);
}

}  // namespace

void create_list(char* search, char case_answer) {
  MatchScan scan(search, case_answer);
  console::out("\n\n|======= Lista de resultados =======|");
  QuoteEntry entry;
  int results = 0;
  while (scan.next(entry)) {
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
