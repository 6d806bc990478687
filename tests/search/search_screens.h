// Test support for the search and edit sessions: a fresh store for each case, and the
// screens of the listing, selection, deleting, replacing and adding dialogues.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "layouts.h"
#include "session.h"

namespace talvo_test {

/// Empties the data directory and, unless `store` is null, writes it as "citas.txt".
inline void reset(const ScratchDir& dir, const std::string* store) {
  for (const auto& e : std::filesystem::directory_iterator(dir.data()))
    std::filesystem::remove_all(e.path());
  if (store != nullptr) dir.write("citas.txt", *store);
}

/// The closing rule of the listing and of the selection, with its newline.
inline const std::string kRule = "_____________________________________\n\n";
/// The pause after every tenth result.
inline const std::string kPageWait = "\n\n\n\tPrima Enter para continuar...\n\n";
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
/// The prompts of main menus 3 and 4 (the case question on a new line), and the clear.
inline const std::string kEditPrompts =
    "Procurar: Número de entrada: \nSem distinção de maiúsculas e minúsculas? (S/N) "_cp +
    kCls;

/// The selected entry as shown, under "Resultado:" when case is ignored, then the rule.
inline std::string shown(const Entry& e, bool ignore_case) {
  return std::string(ignore_case ? "\n\n\nResultado:" : "\n\n\nEntrada:") +
         "\n \tCitação: "_cp + e.quote + "\n\n \tAutor: " + e.author + "\n\n\n" + kRule;
}

/// The deleting dialogue's question, and its answers.
inline const std::string kEraseQuestion = "\n\nQuer realmente eliminar esta entrada? (S/N) ";
inline const std::string kDeleted = "\n\nEntrada eliminada com sucesso.\n\n";
inline const std::string kNotDeleted = "A entrada não foi eliminada."_cp;
inline const std::string kNotInStore = "\n\nErro: Entrada não existe em memória.\n\n"_cp;
/// The replacing dialogue's question, and its answers.
inline const std::string kAlterQuestion = "\n\nQuer realmente substituir esta entrada? (S/N) ";
inline const std::string kAddNew = "Adicionar nova entrada...\n\n";
inline const std::string kNotAltered = "A entrada não foi alterada."_cp;

/// One adding pass up to its confirmation question (console bytes).
inline std::string add_pass(const Entry& e) {
  return "\n\nIntroduza citação: "_cp + std::string("\n\nIntroduza autor: ") + kCls +
         "\n\n\nDeseja adicionar a entrada?\n\n\tCitação: "_cp + e.quote + "\n\n\tAutor: " +
         e.author + "\n\nOpção (S/N): "_cp;
}
/// The adding pass's answers.
inline const std::string kAdded = "\nEstado: Entrada adicionada com sucesso\n\n";
inline const std::string kNotAdded = "\nEstado: A entrada não foi adicionada.\n\n"_cp;

/// The history screen's report of a run that changed nothing, then its short menu.
inline const std::string kNothingToReport =
    kCls + "\n\tHistória da sessão actual\n\n\nNão existe nada a reportar...\n"_cp + kCls +
    "\n\t1)Retornar ao menu anterior\n\t0)Sair do programa\n\nOpção: "_cp;
/// One journal's count listing in the history report, entries in console bytes.
inline std::string journal_listing(const std::string& title, const std::vector<Entry>& entries) {
  std::string out = title;
  int n = 0;
  for (const Entry& e : entries)
    out += "\n\n\t" + std::to_string(++n) + ") \n\t\tEntrada: " + e.quote + "\n\t\tAutor: " +
           e.author;
  return out + (n == 1 ? "\n\nFoi listada 1 entrada." : "\n\nForam listadas " +
                                                            std::to_string(n) + " entradas.");
}
/// The history menu offered while either journal is in use.
inline const std::string kHistoryMenu =
    "\n\n\t0)Sair do programa\n\t1)Retornar ao menu anterior\n\n\t2)Deseja recuperar alguma "
    "citação eliminada?\n\t3)Eliminar alguma citação adicionada?\n\n\nOpção: "_cp;
/// The history report heading.
inline const std::string kHistoryTitle = kCls + "\n\tHistória da sessão actual"_cp;

}  // namespace talvo_test
