// The Windows console's conversions: code page 850 bytes to UTF-16 for the wide writes,
// and the UTF-16 a wide read gives back to code page 850.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp850.h"
#include "wide_text.h"

namespace talvo_test {
namespace {

/// Narrows the units in the given pieces (one feed each) and finishes.
std::string narrow(const std::vector<std::u16string>& pieces) {
  wide_text::Narrower narrower;
  std::string bytes;
  for (const std::u16string& piece : pieces) {
    std::vector<unsigned char> out(piece.size() + wide_text::Narrower::kExtra);
    std::size_t n = narrower.feed(piece.data(), piece.size(), out.data());
    EXPECT_LE(n, out.size());
    bytes.append(out.begin(), out.begin() + static_cast<long>(n));
  }
  unsigned char last = 0;
  if (narrower.finish(&last) == 1) bytes += static_cast<char>(last);
  return bytes;
}

TEST(WideText, EveryByteWidensToItsCharacterAndNarrowsBackToItself) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::u16string wide(all.size(), u'\0');
  wide_text::widen(all.data(), all.size(), wide.data());
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(static_cast<char32_t>(wide[static_cast<std::size_t>(b)]),
              cp850::to_unicode(static_cast<unsigned char>(b)))
        << "byte " << b;
  EXPECT_EQ(wide[0x87], u'\u00E7');  // ç
  EXPECT_EQ(wide[0xC9], u'\u2554');  // ╔
  EXPECT_EQ(wide['\n'], u'\n');
  EXPECT_EQ(narrow({wide}), all);
}

TEST(WideText, WhatTheCodePageLacksAndBrokenSurrogatesGiveOneQuestionMarkEach) {
  struct Case {
    const char* what;
    std::u16string typed;
    std::string cp850;
  };
  const std::vector<Case> cases = {
      {"accented letters and Enter", u"Ol\u00E1 a\u00E7\u00E3o\r\n", "Ol\xA0 a\x87\xC6o\r\n"},
      {"euro sign", u"5\u20AC", "5?"},
      {"a character past the plane, as a pair", u"a\U0001F600b", "a?b"},
      {"two pairs in a row", u"\U0001F600\U0001F601", "??"},
      {"lone low surrogate", u"\xDC00" "A", "?A"},
      {"high surrogate then a letter", u"\xD83D" "A", "?A"},
      {"high surrogate then a high one", u"\xD83D\xD83D\xDE00", "??"},
      {"high surrogate at the end of input", u"A\xD83D", "A?"},
  };
  for (const Case& c : cases) EXPECT_EQ(narrow({c.typed}), c.cp850) << c.what;
}

TEST(WideText, APairSplitBetweenReadsIsOneCharacter) {
  EXPECT_EQ(narrow({u"x\xD83D", u"\xDE00y"}), "x?y");
  EXPECT_EQ(narrow({u"\xD83D", u"", u"\xDE00"}), "?");
  EXPECT_EQ(narrow({u"\xD83D", u"z"}), "?z");
}

TEST(WideText, AConsoleLineReachesTheProgramAsItsBytesWithNoCarriageReturn) {
  struct Case {
    const char* what;
    std::u16string typed;
    long result;  // bytes, or -1 for the end of the input
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"a number and Enter", u"9\r\n", 2, "9\n"},
      {"Enter alone", u"\r\n", 1, "\n"},
      {"only the carriage return so far", u"\r", 0, ""},
      {"an accented quotation", u"\"A\u00E7\u00E3o.\"\r\n", 8, "\"A\x87\xC6o.\"\n"},
      {"a character past the plane", u"x\U0001F600\r\n", 3, "x?\n"},
      {"Ctrl-Z then Enter ends the input", u"\x1A\r\n", -1, ""},
      {"Ctrl-Z after text is a byte like others", u"a\x1A\r\n", 3, "a\x1A\n"},
      {"nothing read", u"", -1, ""},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> out(c.typed.size() + wide_text::Narrower::kExtra);
    long n = wide_text::console_typing(c.typed.data(), c.typed.size(), out.data());
    EXPECT_EQ(n, c.result) << c.what;
    if (n >= 0) {
      EXPECT_EQ(std::string(out.begin(), out.begin() + n), c.bytes) << c.what;
    }
  }
}

}  // namespace
}  // namespace talvo_test
