// The match test shared by the search listing and the N-th match selection.
#include <cstring>

#include "encoding.h"
#include "quote_entry.h"
#include "search.h"

namespace {

/// `search` in a folded copy of `text` (a field of `Size` bytes).
template <std::size_t Size>
bool found_folded(const char* search, const char* text) {
  char folded[Size];
  std::strncpy(folded, text, Size - 1);
  folded[Size - 1] = '\0';
  tolow_c(folded);
  return std::strstr(folded, search) != nullptr;
}

}  // namespace

bool match_entry(const char* search, char* quote, char* author, bool ignore_case) {
  transl_f2c(quote, static_cast<int>(kQuoteSize));
  transl_f2c(author, static_cast<int>(kAuthorSize));
  if (ignore_case)
    return found_folded<kQuoteSize>(search, quote) || found_folded<kAuthorSize>(search, author);
  return std::strstr(quote, search) != nullptr || std::strstr(author, search) != nullptr;
}
