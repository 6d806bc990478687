// Lower-casing of console (code page 850) text for the search that ignores letter case.
#include <gtest/gtest.h>

#include "byte_text.h"
#include "cp850.h"
#include "encoding.h"
#include "letter_tables.h"

namespace {

using encoding_test::at;
using encoding_test::bytes;
using encoding_test::every_byte;
using encoding_test::kConsoleCapitals;
using encoding_test::kFileCapitals;

/// Folds the whole buffer of `text` (an embedded NUL stops the folding).
std::string folded(std::string text) {
  tolow_c(text.data());
  return text;
}

TEST(CaseFold, FoldsThe44CapitalsAndNothingElse) {
  std::string all = folded(every_byte());
  int changed = 0;
  for (int b = 1; b < 256; ++b) {
    int want = b >= 'A' && b <= 'Z' ? b + 0x20 : encoding_test::mapped(kConsoleCapitals, b);
    EXPECT_EQ(at(all, b - 1), want) << "byte " << b;
    changed += at(all, b - 1) != b;
  }
  EXPECT_EQ(changed, 44);
  EXPECT_EQ(folded(all), all);  // folding a folded text changes nothing
  EXPECT_EQ(folded(bytes({0x41, 0x80, 0xC7, 0x4F})), bytes({0x61, 0x87, 0xC6, 0x6F}));  // AÇÃO
  EXPECT_EQ(folded(bytes({0xD4, 0xD2, 0xE0, 0xE3, 0xA2, 0x95})),
            bytes({0x8A, 0x88, 0xA2, 0x95, 0xA2, 0x95}));
  // Capitals of code page 850 outside the table: Ä Å Æ Ö Ü Ø Ñ Ë Ï.
  std::string others = bytes({0x8E, 0x8F, 0x92, 0x99, 0x9A, 0x9D, 0xA5, 0xD3, 0xD8});
  EXPECT_EQ(folded(others), others);
  EXPECT_EQ(folded("ja 12, (sim)!"), "ja 12, (sim)!");
}

TEST(CaseFold, StopsAtTheFirstNul) {
  EXPECT_EQ(folded(std::string()), std::string());
  EXPECT_EQ(folded(bytes({0, 0x41, 0x80})), bytes({0, 0x41, 0x80}));
  EXPECT_EQ(folded(bytes({0x41, 0, 0x41})), bytes({0x61, 0, 0x41}));
}

TEST(CaseFold, AgreesWithTheTranslationOfTheAccentedLetters) {
  // Each Latin-1 accented capital, once translated to the console, folds to the
  // translation of its small letter (capital + 0x20), the way a stored text is searched.
  for (auto [capital, small_letter] : kFileCapitals) {
    EXPECT_EQ(small_letter, capital + 0x20);
    std::string big = bytes({capital}), small = bytes({small_letter});
    transl_f2c(big.data(), 2000);
    transl_f2c(small.data(), 2000);
    EXPECT_EQ(folded(big), small) << "file byte " << capital;
    EXPECT_EQ(folded(small), small) << "file byte " << capital + 0x20;
  }
  // AÇÃO stored as 41 C7 C3 4F is found by ação once translated and folded.
  std::string stored = bytes({0x41, 0xC7, 0xC3, 0x4F});
  transl_f2c(stored.data(), 2000);
  EXPECT_EQ(folded(stored), bytes({0x61, 0x87, 0xC6, 0x6F}));
}

}  // namespace

namespace {

TEST(CaseFold, AccentsComeOffThe51AccentedLettersInTheirCase) {
  std::string all = encoding_test::every_byte();
  unaccent_c(all.data());
  int changed = 0;
  for (int b = 1; b < 256; ++b) changed += at(all, b - 1) != b;
  EXPECT_EQ(changed, 51);
  std::string text = "Ação É Müller Ñ ÿ ß ÆØ"_cp;
  unaccent_c(text.data());
  EXPECT_EQ(text, "Acao E Muller N y "_cp + std::string("\xE1 \x92\x9D"));
}

}  // namespace
