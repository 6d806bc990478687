// Test support: screens and messages that the tests of several dialogues expect alike,
// in console bytes (code page 850).
#pragma once

#include <string>
#include <vector>

#include "layouts.h"
#include "session.h"

namespace talvo_test {

/// The two questions of one adding pass, up to the clear before the confirmation.
inline std::string add_questions() {
  return std::string("\n\nIntroduza citação: \n\nIntroduza autor: "_cp) + kCls;
}

/// The confirmation screen for a quotation and an author as typed.
inline std::string confirmation(const std::string& quote, const std::string& author) {
  return std::string("\n\n\nDeseja adicionar a entrada?\n\n\tCitação: "_cp) + quote +
         "\n\n\tAutor: " + author + "\n\nOpção (S/N): "_cp;
}

/// What a confirmed addition prints.
inline const std::string kAddedLine = "\nEstado: Entrada adicionada com sucesso\n\n";
/// What a declined addition prints.
inline const std::string kNotAddedLine = "\nEstado: A entrada não foi adicionada.\n\n"_cp;
/// What a failed append prints before the fatal end.
inline const std::string kAppendFailedLine = "Erro: A entrada não foi adicionada.\n\n"_cp;

/// One adding pass as printed: questions, confirmation screen and what the answer printed.
inline std::string adding_pass(const std::string& quote, const std::string& author,
                               const std::string& verdict) {
  return add_questions() + confirmation(quote, author) + verdict;
}
/// The same for an entry as typed.
inline std::string adding_pass(const Entry& e, const std::string& verdict) {
  return adding_pass(e.quote, e.author, verdict);
}

/// Main menu 9's report for `n` entries, up to its wait.
inline std::string count_line(int n) {
  return "\nExistem em memória "_cp + std::to_string(n) + " citações.\n"_cp;
}

/// Main menu 9 with `n` entries, its wait, then the main menu again.
inline std::string count_screen(int n) { return count_line(n) + menu_screen(); }

/// Main menu 10's credits, up to their wait for Enter.
inline const std::string kCredits =
    "\n\n\tSobre o autor...\n\n\ttalvo - colecção pessoal de citações\n\n"
    "\tPrima Enter para voltar ao menu principal."_cp;

/// The closing rule of the listing and of the selection, with its newline.
inline const std::string kRule = "_____________________________________\n\n";
/// The pause after every tenth line of a listing.
inline const std::string kPageWait = "\n\n\n\tPrima Enter para continuar...\n\n";

/// The prompts of main menus 3 and 4 (the case question on a new line), and the clear.
inline const std::string kEditPrompts =
    "Procurar: Número de entrada: \nSem distinção de maiúsculas e minúsculas? (S/N) "_cp +
    kCls;
/// The selected entry as shown, under "Resultado:" when case is ignored, then the rule.
inline std::string shown(const Entry& e, bool ignore_case) {
  return std::string(ignore_case ? "\n\n\nResultado:" : "\n\n\nEntrada:") +
         "\n \tCitação: "_cp + e.quote + "\n\n \tAutor: " + e.author + "\n\n\n" + kRule;
}
/// The deleting dialogue's question.
inline const std::string kEraseQuestion = "\n\nQuer realmente eliminar esta entrada? (S/N) ";
/// What a deletion prints once the entry is gone.
inline const std::string kDeleted = "\n\nEntrada eliminada com sucesso.\n\n";
/// What a deletion prints when the store does not hold the entry.
inline const std::string kNotInStore = "\n\nErro: Entrada não existe em memória.\n\n"_cp;

/// The history report heading, after its clear.
inline const std::string kHistoryTitle = kCls + "\n\tHistória da sessão actual"_cp;
/// The history's report of a run that changed nothing, then its short menu.
inline const std::string kNothingToReport =
    kHistoryTitle + "\n\n\nNão existe nada a reportar...\n"_cp + kCls +
    "\n\t1)Retornar ao menu anterior\n\t0)Sair do programa\n\nOpção: "_cp;
/// The history menu offered while either journal is in use.
inline const std::string kHistoryMenu =
    "\n\n\t0)Sair do programa\n\t1)Retornar ao menu anterior\n\n\t2)Deseja recuperar alguma "
    "citação eliminada?\n\t3)Eliminar alguma citação adicionada?\n\n\nOpção: "_cp;

/// One journal's count listing in the history report, under `title`: the entries as
/// shown, a pause after every tenth, and the closing count.
inline std::string journal_listing(const std::string& title, const std::vector<Entry>& entries) {
  std::string out = title;
  int n = 0;
  for (const Entry& e : entries) {
    out += "\n\n\t" + std::to_string(++n) + ") \n\t\tEntrada: " + e.quote + "\n\t\tAutor: " +
           e.author;
    if (n % 10 == 0) out += kPageWait;
  }
  return out + (n == 1 ? "\n\nFoi listada 1 entrada." : "\n\nForam listadas " +
                                                            std::to_string(n) + " entradas.");
}
/// The added journal's listing in the history report.
inline std::string added_list(const std::vector<Entry>& entries) {
  return journal_listing("\n\n\n\nEntradas adicionadas...", entries);
}
/// The deleted journal's listing in the history report.
inline std::string deleted_list(const std::vector<Entry>& entries) {
  return journal_listing("\n\nEntradas eliminadas...", entries);
}

/// The backup dialogue's question, after its clear screen.
inline std::string backup_question(const std::string& date) {
  return kCls + "Data da última cópia: "_cp + date +
         "\n\nDeseja criar uma nova cópia de segurança do ficheiro de citações?(S/N)\n\n\nop: "_cp;
}

/// The messages of the backup and restore dialogues.
inline const std::string kPreparing = "\n\nA preparar para criar cópia do original."_cp;
inline const std::string kCopyMade = kPreparing + "\n\nA fazer cópia."_cp + "\n\nCópia criada!\n\n"_cp;
inline const std::string kCopyCancelled = "\n\nCópia cancelada.\n\n"_cp;
inline const std::string kAskBackup = "Deseja recuperar o original apartir da cópia? (S/N)\n\nOpção: "_cp;
inline const std::string kAskSafety =
    "Deseja recuperar a última versão válida do ficheiro de citações? (S/N)\n\nOpção: "_cp;
inline const std::string kNoSource = "Não existe nenhuma versão anterior da base de dados.\n\n"_cp;
inline const std::string kRestored = "\n\nFicheiro recuperado!\n\n\n";
inline const std::string kNotRestored = "\n\nO ficheiro não foi recuperado.\n"_cp;

}  // namespace talvo_test
