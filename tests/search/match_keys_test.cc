// The prepared match test against the plain one: translate, fold, then strstr.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "encoding.h"
#include "quote_entry.h"
#include "search.h"

namespace {

/// The bytes a quotation from the record reader can hold besides its double quotes.
std::vector<unsigned char> quote_bytes() {
  std::vector<unsigned char> bytes;
  for (int b = 1; b < 256; ++b)
    if (admitted_in_quote(static_cast<unsigned char>(b))) bytes.push_back(static_cast<unsigned char>(b));
  return bytes;
}

/// The match test as the search is defined: both texts translated to the console code
/// page, folded copies when ignoring case, the search string sought in each.
bool plain_match(std::string search, std::string quote, std::string author, bool ignore_case) {
  transl_f2c(quote.data(), static_cast<int>(quote.size()));
  transl_f2c(author.data(), static_cast<int>(author.size()));
  if (ignore_case) {
    tolow_c(search.data());
    tolow_c(quote.data());
    tolow_c(author.data());
  }
  return quote.find(search) != std::string::npos || author.find(search) != std::string::npos;
}

/// The prepared test on copies of the fields; on a match it must leave both translated.
bool keyed_match(std::string search, const std::string& quote, const std::string& author,
                 bool ignore_case) {
  char field[kSearchSize] = {};
  std::memcpy(field, search.data(), search.size());
  if (ignore_case) tolow_c(field);
  MatchTest test(field, ignore_case);
  char q[kQuoteSize] = {}, a[kAuthorSize] = {};
  std::memcpy(q, quote.data(), quote.size());
  std::memcpy(a, author.data(), author.size());
  bool found = test.matches(q, a);
  if (found) {
    std::string want_q = quote, want_a = author;
    transl_f2c(want_q.data(), static_cast<int>(want_q.size()));
    transl_f2c(want_a.data(), static_cast<int>(want_a.size()));
    EXPECT_EQ(std::string(q), want_q);
    EXPECT_EQ(std::string(a), want_a);
  }
  return found;
}

TEST(MatchTest, EveryQuotationByteAgainstEveryOneByteSearch) {
  for (bool ignore_case : {false, true}) {
    for (unsigned char b : quote_bytes()) {
      std::string quote = std::string("\"x") + static_cast<char>(b) + "y\"";
      for (int c = 1; c < 256; ++c) {
        std::string search(1, static_cast<char>(c));
        ASSERT_EQ(keyed_match(search, quote, "", ignore_case),
                  plain_match(search, quote, "", ignore_case))
            << "quote byte " << int(b) << ", search byte " << c << ", ignore case " << ignore_case;
      }
    }
  }
}

TEST(MatchTest, TabAndClosingParenthesisShareAKeyButNotAMatch) {
  // Ignoring case, both bytes have the same key (0x29); only the confirmation tells them
  // apart, at every place where the keys agree.
  EXPECT_FALSE(keyed_match("a\tb", "\"xa)b a)b\"", "", true));
  EXPECT_TRUE(keyed_match("a\tb", "\"xa)b A\tB\"", "", true));
  EXPECT_TRUE(keyed_match("A)B", "\"a\tb a)b\"", "", true));
  EXPECT_FALSE(keyed_match("a)b", "\"A\tB\"", "", false));
}

TEST(MatchTest, AccentedLettersInBothCases) {
  // "Ação" typed on the console (code page 850) finds "AÇÃO" and "ação" stored in
  // ISO-8859-1 only when ignoring case.
  std::string typed = "A\x87\xC6o";
  EXPECT_TRUE(keyed_match(typed, "\"A\xC7\xC3O\"", "", true));
  EXPECT_TRUE(keyed_match(typed, "\"a\xE7\xE3o\"", "", true));
  EXPECT_FALSE(keyed_match(typed, "\"A\xC7\xC3O\"", "", false));
  EXPECT_TRUE(keyed_match(typed, "\"Ac A\xE7\xE3o\"", "", false));
}

TEST(MatchTest, AuthorsHoldAnyByte) {
  // An author line is not limited to the quotation bytes: ÿ, ª and the control bytes.
  for (int b = 1; b < 256; ++b) {
    if (b == '\n') continue;
    std::string author = std::string("Z") + static_cast<char>(b) + "z";
    for (int c : {b, 0xA6, 0x98, int('z'), int('Z')}) {
      std::string search(1, static_cast<char>(c));
      for (bool ignore_case : {false, true})
        ASSERT_EQ(keyed_match(search, "\"q\"", author, ignore_case),
                  plain_match(search, "\"q\"", author, ignore_case))
            << "author byte " << b << ", search byte " << c;
    }
  }
}

TEST(MatchTest, WholeQuotationsAndTheirPieces) {
  // Random quotations and authors; the search strings are pieces of their translations
  // (so many match) in random letter case, and random strings (so most do not).
  std::mt19937 random(7);
  std::vector<unsigned char> bytes = quote_bytes();
  std::uniform_int_distribution<std::size_t> pick(0, bytes.size() - 1);
  std::uniform_int_distribution<int> len(0, 300), small(1, 6), any(1, 255);
  for (int round = 0; round < 3000; ++round) {
    std::string quote = "\"";
    for (int i = len(random); i > 0; --i) quote += static_cast<char>(bytes[pick(random)]);
    quote += "\"";
    std::string author;
    for (int i = small(random) * 3; i > 0; --i) {
      int b = any(random);
      author += static_cast<char>(b == '\n' ? 'n' : b);
    }
    std::string shown = quote;
    transl_f2c(shown.data(), static_cast<int>(shown.size()));
    std::string search;
    if (round % 3 != 0) {
      std::size_t at = static_cast<std::size_t>(len(random)) % shown.size();
      search = shown.substr(at, static_cast<std::size_t>(small(random)));
      for (char& c : search)
        if (c >= 'a' && c <= 'z' && random() % 2) c = static_cast<char>(c - 0x20);
    } else {
      for (int i = small(random); i > 0; --i) search += static_cast<char>(bytes[pick(random)]);
    }
    for (bool ignore_case : {false, true})
      ASSERT_EQ(keyed_match(search, quote, author, ignore_case),
                plain_match(search, quote, author, ignore_case))
          << "round " << round << ", ignore case " << ignore_case;
  }
}

}  // namespace
