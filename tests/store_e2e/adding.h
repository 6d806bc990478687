// Test support for the adding dialogue: its screens as printed and the answers typed to it.
#pragma once

#include <string>

#include "layouts.h"
#include "session.h"

namespace talvo_test {

/// The two questions of one adding pass, up to the clear before the confirmation.
inline std::string add_questions() {
  return std::string("\n\nIntroduza citação: \n\nIntroduza autor: "_cp) + kCls;
}

/// The confirmation screen for a quotation and an author as typed (console bytes).
inline std::string confirmation(const std::string& quote, const std::string& author) {
  return std::string("\n\n\nDeseja adicionar a entrada?\n\n\tCitação: "_cp) + quote +
         "\n\n\tAutor: " + author + "\n\nOpção (S/N): "_cp;
}

/// What a confirmed addition prints.
inline const std::string kAddedLine = "\nEstado: Entrada adicionada com sucesso\n\n";
/// What a declined addition prints.
inline const std::string kNotAddedLine = "\nEstado: A entrada não foi adicionada.\n\n"_cp;
/// What a quotation that would not read back whole prints.
inline const std::string kRefusedLine =
    "\nErro: Citação inválida: escreva-a entre aspas, só com letras, algarismos, espaços "
    "e os sinais ! ' , . : ; ? ( ) - / [ ]\n\n"_cp;
/// What a failed append prints before the fatal end.
inline const std::string kAppendFailedLine = "Erro: A entrada não foi adicionada.\n\n"_cp;

/// One adding pass as printed: questions, confirmation screen and what the answer printed.
inline std::string adding_pass(const std::string& quote, const std::string& author,
                               const std::string& verdict) {
  return add_questions() + confirmation(quote, author) + verdict;
}

/// What the user types for one pass: the quotation, the author and the answer, each
/// ended by Enter.
inline std::string typed(const std::string& quote, const std::string& author,
                         const std::string& answer) {
  return quote + "\n" + author + "\n" + answer + "\n";
}

}  // namespace talvo_test
