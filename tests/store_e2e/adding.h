// Test support for the adding dialogue: its refusal and the answers typed to it.
#pragma once

#include <string>

#include "layouts.h"
#include "screens.h"
#include "session.h"

namespace talvo_test {

/// What a quotation that would not read back whole prints.
inline const std::string kRefusedLine =
    "\nErro: Citação inválida: escreva-a entre aspas, só com letras, algarismos,\n"
    "espaços e os sinais ! ' , . : ; ? ( ) - / [ ]\n\n"_cp;
/// What the user types for one pass: the quotation, the author and the answer, each
/// ended by Enter.
inline std::string typed(const std::string& quote, const std::string& author,
                         const std::string& answer) {
  return quote + "\n" + author + "\n" + answer + "\n";
}

}  // namespace talvo_test
