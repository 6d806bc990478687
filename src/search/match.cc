// The match test shared by the search listing and the N-th match selection.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "encoding.h"
#include "quote_entry.h"
#include "search.h"

// A quotation from the record reader holds only double quotes and the bytes the reader
// admits. Each of them has a key: the byte itself, or, when letter case is ignored, the
// byte with bit 0x20 set, which makes a capital letter (plain or accented) its small one.
// When all the quotation bytes that become one console byte share one key, the search
// string can be spelled in keys, and a quotation can hold the search string only where
// its keys hold that spelling: strstr finds those places in the keys, and each is then
// confirmed byte by byte. So the quotation is neither translated nor folded unless it
// matches, and an exact search reads it as it is.

MatchTest::MatchTest(const char* search, bool ignore_case) : ignore_case_(ignore_case) {
  length_ = strnlen(search, kSearchSize - 1);
  std::memcpy(search_, search, length_);
  search_[length_] = '\0';
  for (int b = 0; b < 256; ++b) {
    char text[2] = {static_cast<char>(b), '\0'};
    transl_f2c(text, 1);
    if (ignore_case) tolow_c(text);
    seen_as_[b] = static_cast<unsigned char>(text[0]);
  }
  int key_of[256];
  std::fill(key_of, key_of + 256, -1);
  for (int b = 1; b < 256; ++b) {
    if (b != '"' && !admitted_in_quote(static_cast<unsigned char>(b))) continue;
    int key = ignore_case ? (b | 0x20) : b;
    int& agreed = key_of[seen_as_[b]];
    if (agreed < 0) agreed = key;
    else if (agreed != key) by_keys_ = false;
  }
  for (std::size_t j = 0; j < length_; ++j) {
    int key = key_of[static_cast<unsigned char>(search_[j])];
    if (key < 0) quote_can_hold_ = false;
    keys_[j] = static_cast<char>(key);
  }
  keys_[length_] = '\0';
}

bool MatchTest::found_at(const char* text) const {
  for (std::size_t j = 0; j < length_; ++j)
    if (seen_as_[static_cast<unsigned char>(text[j])] != static_cast<unsigned char>(search_[j]))
      return false;
  return true;
}

bool MatchTest::found_in_copy(const char* text, std::size_t size) const {
  char seen[kQuoteSize];
  bool first_seen = length_ == 0;  // strstr is called only when it may find something
  std::size_t i = 0;
  for (; i < size - 1 && text[i] != '\0'; ++i) {
    seen[i] = static_cast<char>(seen_as_[static_cast<unsigned char>(text[i])]);
    first_seen |= seen[i] == search_[0];
  }
  seen[i] = '\0';
  return first_seen && std::strstr(seen, search_) != nullptr;
}

bool MatchTest::found_in_quote(const char* quote) const {
  if (!by_keys_) return found_in_copy(quote, kQuoteSize);
  if (!quote_can_hold_) return false;
  const char* keys = quote;
  char folded[kQuoteSize];
  if (ignore_case_) {
    std::size_t size = strnlen(quote, kQuoteSize - 1);
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {  // eight bytes a step
      std::uint64_t word;
      std::memcpy(&word, quote + i, 8);
      word |= 0x2020202020202020ULL;
      std::memcpy(folded + i, &word, 8);
    }
    for (; i < size; ++i) folded[i] = static_cast<char>(quote[i] | 0x20);
    folded[size] = '\0';
    keys = folded;
  }
  for (const char* at = keys; (at = std::strstr(at, keys_)) != nullptr; ++at)
    if (found_at(quote + (at - keys))) return true;
  return false;
}

bool MatchTest::matches(char* quote, char* author) const {
  if (!holds(quote, author)) return false;
  transl_f2c(quote, static_cast<int>(kQuoteSize));
  transl_f2c(author, static_cast<int>(kAuthorSize));
  return true;
}
