// Large quote stores made by the tests, and the exact bytes of each layout the program
// writes them in.
#pragma once

#include <string>
#include <vector>

namespace reliability {

/// One entry, in the file code page (ISO-8859-1).
struct Entry {
  std::string quote;
  std::string author;
};

/// `count` distinct entries; entry i reads "Citação número i, <tag>." by "Autor i".
std::vector<Entry> numbered_entries(int count, const std::string& tag);
/// The search string (console code page) that matches entry `i` of numbered_entries alone.
std::string search_for(int i);

/// A store grown by adding: the header line, then "\n" quotation "\n" author "\n" each.
std::string added_layout(const std::vector<Entry>& entries);
/// A store rewritten by a deletion: the header line and "\n", then each entry as above.
std::string rewritten_layout(const std::vector<Entry>& entries);
/// A safety or backup copy: the header line, then "\n\n" quotation "\n" author each.
std::string copy_layout(const std::vector<Entry>& entries);

/// The entries less the one at `i`.
std::vector<Entry> without(std::vector<Entry> entries, int i);

}  // namespace reliability
