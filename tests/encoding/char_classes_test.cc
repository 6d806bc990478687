// The byte classes of a stored quotation: every member, every neighbour, and what the
// record reader admits.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

#include "encoding.h"
#include "letter_tables.h"

namespace {

const std::set<int> kSigns = {0x21, 0x27, 0x2C, 0x2E, 0x3A, 0x3B, 0x3F, 0xAB, 0xBB};
const std::set<int> kSymbols = {0x28, 0x29, 0x2D, 0x2F, 0x5B, 0x5D};

/// 1 when the byte is one of the 36 accented letters, capital or small.
int accented_letter(int byte) {
  for (auto [capital, small] : encoding_test::kFileCapitals)
    if (byte == capital || byte == small) return 1;
  return 0;
}

/// The byte ranges (both ends included) that end a quotation: 140 values.
const std::pair<int, int> kEnding[] = {
    {0x00, 0x08}, {0x0B, 0x1F}, {0x22, 0x26}, {0x2A, 0x2B}, {0x3C, 0x3E}, {0x40, 0x40},
    {0x5C, 0x5C}, {0x5E, 0x60}, {0x7B, 0xAA}, {0xAC, 0xBA}, {0xBC, 0xBF}, {0xC4, 0xC6},
    {0xCB, 0xCB}, {0xCF, 0xD1}, {0xD6, 0xD8}, {0xDC, 0xDF}, {0xE4, 0xE6}, {0xEB, 0xEB},
    {0xEF, 0xF1}, {0xF6, 0xF8}, {0xFC, 0xFF}};

/// The class predicate applied to a byte 0-255, handed over as a signed character.
int in(int (*klass)(signed char), int byte) { return klass(static_cast<signed char>(byte)); }

bool ends_quotation(int byte) {
  for (auto [low, high] : kEnding)
    if (byte >= low && byte <= high) return true;
  return false;
}

TEST(CharClasses, EachClassHoldsExactlyItsMembersAndNoTwoOverlap) {
  std::array<int, 4> sizes{};
  for (int b = 0; b < 256; ++b) {
    bool is_letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || accented_letter(b);
    EXPECT_EQ(in(letter, b), is_letter ? 1 : 0) << "byte " << b;
    EXPECT_EQ(in(sign, b), kSigns.count(b) ? 1 : 0) << "byte " << b;
    EXPECT_EQ(in(symbol, b), kSymbols.count(b) ? 1 : 0) << "byte " << b;
    EXPECT_EQ(in(number, b), b >= '0' && b <= '9' ? 1 : 0) << "byte " << b;
    EXPECT_LE(in(letter, b) + in(sign, b) + in(symbol, b) + in(number, b), 1) << "byte " << b;
    sizes[0] += in(letter, b), sizes[1] += in(sign, b);
    sizes[2] += in(symbol, b), sizes[3] += in(number, b);
  }
  EXPECT_EQ(sizes, (std::array<int, 4>{88, 9, 6, 10}));
}

TEST(CharClasses, TheReaderAdmitsExactly116Bytes) {
  int admitted = 0;
  for (int b = 0; b < 256; ++b) {
    bool by_class = in(letter, b) || in(sign, b) || in(symbol, b) || in(number, b) ||
                    b == '\t' || b == '\n' || b == ' ' || b == '\'';
    EXPECT_EQ(admitted_in_quote(static_cast<unsigned char>(b)), !ends_quotation(b)) << "byte " << b;
    EXPECT_EQ(admitted_in_quote(static_cast<unsigned char>(b)), by_class) << "byte " << b;
    admitted += admitted_in_quote(static_cast<unsigned char>(b)) ? 1 : 0;
  }
  EXPECT_EQ(admitted, 116);
}

TEST(CharClasses, NamedEdgeCases) {
  EXPECT_EQ(letter(static_cast<signed char>(0xD4)), 1);  // Ô
  EXPECT_EQ(letter(static_cast<signed char>(0xF4)), 1);  // ô
  for (int b : {0xFF, 0xD1, 0xF1, 0xDF, 0xC4, 0xAA, 0xBA}) EXPECT_EQ(in(letter, b), 0) << b;
  EXPECT_EQ(letter(-61), 1);  // Ã
  EXPECT_EQ(letter(-1), 0);   // ÿ
  EXPECT_EQ(number(0x2F), 0);
  EXPECT_EQ(symbol(0x2F), 1);
  EXPECT_EQ(number(0x3A), 0);
  EXPECT_EQ(sign(0x3A), 1);
  EXPECT_EQ(in(sign, 0xAB) + in(sign, 0xBB), 2);
  EXPECT_EQ(in(sign, 0xA1) + in(sign, 0xBF), 0);
  for (int b : {'{', '}', '<', '>'}) EXPECT_EQ(in(symbol, b), 0) << b;
  EXPECT_EQ(in(letter, '"') + in(sign, '"') + in(symbol, '"') + in(number, '"'), 0);
  // Blanks inside a quotation: tab, newline and space stay; NUL and carriage return end it.
  for (int b : {'\t', '\n', ' '}) EXPECT_TRUE(admitted_in_quote(static_cast<unsigned char>(b)));
  // ª, º, per-cent, ampersand, plus and equals each end a quotation too.
  for (int b : {0x00, 0x0D, 0x22, 0xAA, 0xBA, 0x25, 0x26, 0x2B, 0x3D})
    EXPECT_FALSE(admitted_in_quote(static_cast<unsigned char>(b))) << b;
}

}  // namespace
