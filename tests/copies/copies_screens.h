// Shared texts of the end-to-end tests of the backup copy and the restores.
#pragma once

#include <string>

#include "entries.h"
#include "layouts.h"
#include "screens.h"
#include "session.h"

namespace talvo_test {

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

/// Main menu 9 with `n` entries, its wait, then the main menu again.
inline std::string count_screen(int n) { return count_line(n) + menu_screen(); }

}  // namespace talvo_test
