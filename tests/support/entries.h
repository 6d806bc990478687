// Test support: entries as typed on the console and as stored, and whole passes of main
// menus 1 and 3 that add and delete them.
#pragma once

#include <string>
#include <vector>

#include "layouts.h"
#include "screens.h"
#include "session.h"

namespace talvo_test {

/// One entry as typed and shown on the console (code page 850) and as stored (Latin-1).
struct TypedEntry {
  std::string quote, author;    ///< console bytes
  std::string fquote, fauthor;  ///< file bytes
};

/// An entry that reads the same in both code pages.
inline TypedEntry plain(const std::string& quote, const std::string& author) {
  return {quote, author, quote, author};
}

/// Three entries, two with accented letters that the code pages write differently.
inline const TypedEntry kAmar{"\"Amar é viver.\""_cp, "Ana", "\"Amar \xE9 viver.\"", "Ana"};
inline const TypedEntry kBeber{"\"Beber água.\""_cp, "Bruno", "\"Beber \xE1gua.\"", "Bruno"};
inline const TypedEntry kCantar = plain("\"Cantar faz bem.\"", "Carla");

/// The entries as shown on the console.
inline std::vector<Entry> on_screen(const std::vector<TypedEntry>& entries) {
  std::vector<Entry> shown;
  for (const TypedEntry& e : entries) shown.push_back({e.quote, e.author});
  return shown;
}

/// The entries as the files hold them.
inline std::vector<Entry> in_files(const std::vector<TypedEntry>& entries) {
  std::vector<Entry> stored;
  for (const TypedEntry& e : entries) stored.push_back({e.fquote, e.fauthor});
  return stored;
}

/// Main menu 1: type the entry, confirm, Enter, then back to the main menu.
inline std::string add_input(const TypedEntry& e) {
  return "1\n" + e.quote + "\n" + e.author + "\nS\n\n2\n";
}
/// What that pass prints after the main menu, up to the main menu again.
inline std::string add_screens(const TypedEntry& e) {
  return adding_pass(e.quote, e.author, kAddedLine) + continuation_screen() + menu_screen();
}

/// Main menu 3: the first exact match of `search`, confirmed, Enter, back to the main menu.
inline std::string erase_input(const std::string& search) {
  return "3\n" + search + "\n1\nn\n\nS\n\n2\n";
}
/// What that pass prints when it deletes `e`, up to the main menu again.
inline std::string erase_screens(const TypedEntry& e) {
  return kEditPrompts + shown({e.quote, e.author}, false) + kEraseQuestion + kDeleted +
         continuation_screen() + menu_screen();
}

}  // namespace talvo_test
