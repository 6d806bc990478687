// Test support for the search and edit sessions: a fresh store for each case, and the
// screens of the listing, selection, deleting and replacing dialogues.
#pragma once

#include <string>
#include <vector>

#include "layouts.h"
#include "screens.h"
#include "session.h"

namespace talvo_test {

/// The selection's message when nothing is selected.
inline const std::string kNoEntry = "\n\nNão há entradas a mostrar.\n\n"_cp;

/// The listing dialogue's two prompts.
inline const std::string kListPrompts =
    "Procurar: Sem distinção de maiúsculas e minúsculas? (S/N) "_cp;

/// What the listing prints from its results header to its closing rule, for these
/// results (console bytes).
inline std::string listing(const std::vector<Entry>& results) {
  std::string out = "\n\n|======= Lista de resultados =======|";
  int n = 0;
  for (const Entry& e : results) {
    out += "\n\n\n" + std::to_string(++n) + "a Resultado:\n \tCitação: "_cp + e.quote +
           "\n\n \tAutor: " + e.author + "\n\n\n";
    if (n % 10 == 0) out += kPageWait;
  }
  if (n == 0) out += "\n\nNão há resultados a mostrar.\n\n"_cp;
  else if (n == 1) out += "Houve 1 resultado.\n";
  else out += "\n\nHouveram " + std::to_string(n) + " resultados.\n";
  return out + kRule;
}

/// The prompts of main menu 11 (the case question on the same line).
inline const std::string kLookPrompts =
    "Procurar: Número de entrada: Sem distinção de maiúsculas e minúsculas? (S/N) "_cp;
/// The deleting dialogue's answer when the entry is kept.
inline const std::string kNotDeleted = "A entrada não foi eliminada."_cp;
/// The replacing dialogue's question, and its answers.
inline const std::string kAlterQuestion = "\n\nQuer realmente substituir esta entrada? (S/N) ";
inline const std::string kAddNew = "Adicionar nova entrada...\n\n";
inline const std::string kNotAltered = "A entrada não foi alterada."_cp;

}  // namespace talvo_test
