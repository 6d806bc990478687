// Shared texts and store layouts of the end-to-end tests of the backup copy and the restores.
#pragma once

#include <string>
#include <vector>

#include "session.h"

namespace talvo_test {

/// One entry: quotation and author as typed on the console, and as stored in Latin-1.
struct CopyEntry {
  std::string quote, author, fquote, fauthor;
};

/// Three entries, two with accented letters that the code pages write differently.
inline const CopyEntry kAmar{"\"Amar é viver.\""_cp, "Ana", "\"Amar \xE9 viver.\"", "Ana"};
inline const CopyEntry kBeber{"\"Beber água.\""_cp, "Bruno", "\"Beber \xE1gua.\"", "Bruno"};
inline const CopyEntry kCantar{"\"Cantar faz bem.\"", "Carla", "\"Cantar faz bem.\"", "Carla"};

/// A store grown by adding: header, then "\n" quotation "\n" author "\n" per entry.
inline std::string added_layout(const std::vector<CopyEntry>& entries) {
  std::string s = kHeader;
  for (const CopyEntry& e : entries) s += "\n" + e.fquote + "\n" + e.fauthor + "\n";
  return s;
}

/// A store rewritten by a deletion: the header gets a newline of its own.
inline std::string rewritten_layout(const std::vector<CopyEntry>& entries) {
  return kHeader + "\n" + added_layout(entries).substr(kHeader.size());
}

/// The copy layout: header, then "\n\n" quotation "\n" author per entry, no final newline.
inline std::string copy_layout(const std::vector<CopyEntry>& entries) {
  std::string s = kHeader;
  for (const CopyEntry& e : entries) s += "\n\n" + e.fquote + "\n" + e.fauthor;
  return s;
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

/// Main menu 9 with `n` entries, its wait, then the main menu again.
inline std::string count_screen(int n) {
  return "\nExistem em memória "_cp + std::to_string(n) + " citações.\n"_cp + menu_screen();
}

/// Main menu 1: type the entry, confirm, Enter, then back to the main menu.
inline std::string add_input(const CopyEntry& e) { return "1\n" + e.quote + "\n" + e.author + "\nS\n\n2\n"; }
inline std::string add_screens(const CopyEntry& e) {
  return std::string("\n\nIntroduza citação: "_cp) + "\n\nIntroduza autor: " + kCls +
         "\n\n\nDeseja adicionar a entrada?\n\n\tCitação: "_cp + e.quote + "\n\n\tAutor: " + e.author +
         "\n\nOpção (S/N): "_cp + "\nEstado: Entrada adicionada com sucesso\n\n" + continuation_screen() +
         menu_screen();
}

/// Main menu 3: the first exact match of `search`, confirmed, Enter, back to the main menu.
inline std::string erase_input(const std::string& search) { return "3\n" + search + "\n1\nn\n\nS\n\n2\n"; }
inline std::string erase_screens(const CopyEntry& e) {
  return std::string("Procurar: ") + "Número de entrada: "_cp +
         "\nSem distinção de maiúsculas e minúsculas? (S/N) "_cp + kCls + "\n\n\nEntrada:\n \tCitação: "_cp +
         e.quote + "\n\n \tAutor: " + e.author + "\n\n\n_____________________________________\n\n" +
         "\n\nQuer realmente eliminar esta entrada? (S/N) " + "\n\nEntrada eliminada com sucesso.\n\n" +
         continuation_screen() + menu_screen();
}

}  // namespace talvo_test
