// One entry of the collection as the program passes it around, and the sizes of its fields.
#pragma once

#include <cstddef>

/// Bytes of the quote field: the quotation with its double quotes and the NUL.
inline constexpr std::size_t kQuoteSize = 2000;
/// Bytes of the author field: one line of at most 49 bytes and the NUL.
inline constexpr std::size_t kAuthorSize = 50;
/// Bytes of the search string field.
inline constexpr std::size_t kSearchSize = 50;

/// One entry; an entry whose quote starts with NUL stands for "no entry".
struct QuoteEntry {
  char quote[kQuoteSize];
  char author[kAuthorSize];
};
