// The byte tables built from the list of accented letters, against the tables written out.
#include <gtest/gtest.h>

#include "accented_letters.h"
#include "letter_tables.h"

namespace {

using encoding_test::kConsoleCapitals;
using encoding_test::kConsoleToFile;
using encoding_test::kFileCapitals;
using encoding_test::kFileToConsole;
using encoding_test::mapped;

/// 1 when `byte` is a key or a value of the table of pairs.
template <std::size_t N>
int listed(const encoding_test::BytePair (&table)[N], int byte) {
  for (const auto& [key, value] : table)
    if (key == byte || value == byte) return 1;
  return 0;
}

TEST(AccentedTables, EveryBuiltTableMatchesItsWrittenTableByteForByte) {
  int letters_seen[256] = {};
  for (accented::Letter l : accented::kLetters) ++letters_seen[l.file];
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(accented::kFileToConsole[b], mapped(kFileToConsole, b)) << "file byte " << b;
    EXPECT_EQ(accented::kConsoleToFile[b], mapped(kConsoleToFile, b)) << "console byte " << b;
    int small = b >= 'A' && b <= 'Z' ? b + 0x20 : mapped(kConsoleCapitals, b);
    EXPECT_EQ(accented::kConsoleFold[b], small) << "console byte " << b;
    EXPECT_EQ(letters_seen[b], listed(kFileCapitals, b)) << "file byte " << b;
  }
  // Each letter pairs a capital and its small letter alike in both code pages: the first 18
  // are the capitals, the next 18 their small letters in the same order.
  for (int i = 0; i < 18; ++i) {
    accented::Letter capital = accented::kLetters[i], small = accented::kLetters[18 + i];
    EXPECT_EQ(mapped(kFileCapitals, capital.file), small.file) << "letter " << i;
    EXPECT_EQ(mapped(kConsoleCapitals, capital.console), small.console) << "letter " << i;
    EXPECT_EQ(mapped(kFileToConsole, capital.file), capital.console) << "letter " << i;
    EXPECT_EQ(mapped(kFileToConsole, small.file), small.console) << "letter " << 18 + i;
  }
}

}  // namespace
