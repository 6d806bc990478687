// Text from outside: UTF-8 decoded by one set of rules, each character checked for the
// field it is for, and characters named in messages.
#include <gtest/gtest.h>

#include "entry_text.h"
#include "unicode.h"

namespace {

TEST(EntryText, EachCharacterIsTakenOrRefusedForItsField) {
  const struct {
    std::u32string text;
    TextField field;
    bool taken;
    char32_t refused;
  } cases[] = {
      {U"Müller", TextField::kAuthor, true, 0},           // ü is its code page 850 byte
      {U"a\tb", TextField::kAuthor, true, 0},
      {U"a\nb", TextField::kQuote, true, 0},
      {U"a\nb", TextField::kAuthor, false, U'\n'},
      {U"a\nb", TextField::kSearch, false, U'\n'},
      {U"x\u0001", TextField::kQuote, false, 0x01},
      {U"\u007F", TextField::kSearch, false, 0x7F},
      {U"\u0085", TextField::kQuote, false, 0x85},         // a C1 control
      {U"5 €", TextField::kQuote, false, U'€'},            // not in code page 850
      {U"Gauß", TextField::kAuthor, false, U'ß'},          // its byte would read back as á
      {U"Gauß", TextField::kSearch, true, 0},              // a search never reaches the file
      {U"╔═╗", TextField::kQuote, false, U'╔'},
      {U"😀", TextField::kSearch, false, U'😀'},
  };
  for (const auto& c : cases) {
    std::string out;
    char32_t refused = 0;
    EXPECT_EQ(to_cp850(c.text, c.field, out, refused), c.taken) << out;
    if (!c.taken) {
      EXPECT_EQ(refused, c.refused);
    }
  }
  std::string out;
  char32_t refused = 0;
  ASSERT_TRUE(to_cp850(U"ação Ü", TextField::kQuote, out, refused));
  EXPECT_EQ(out, "a\x87\xC6o \x9A");
}

TEST(EntryText, CharactersAreNamedByCodeAndShownWhenPrintable) {
  EXPECT_EQ(describe_character(U'€', Charset::kUtf8), "U+20AC €");
  EXPECT_EQ(describe_character(U'€', Charset::kCp850), "U+20AC");
  EXPECT_EQ(describe_character(0x01, Charset::kUtf8), "U+0001");
  EXPECT_EQ(describe_character(0x9F, Charset::kUtf8), "U+009F");
  EXPECT_EQ(describe_character(U'😀', Charset::kUtf8), "U+1F600 😀");
}

TEST(EntryText, MalformedUtf8IsRefusedWholeAndCodePage850NeverIs) {
  for (const char* bad : {"\xE2\x82", "\xC3(", "\x80", "\xC0\xAF", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80", "\xF8"}) {
    std::u32string out;
    EXPECT_FALSE(unicode::decode(std::string("a") + bad, Charset::kUtf8, out)) << bad;
  }
  std::u32string out;
  ASSERT_TRUE(unicode::decode("a\xE2\x82\xAC\xF0\x9F\x98\x80", Charset::kUtf8, out));
  EXPECT_EQ(out, U"a€😀");
  ASSERT_TRUE(unicode::decode("\x81\xE1\xFF", Charset::kCp850, out));
  EXPECT_EQ(out, U"üß\u00A0");
}

}  // namespace
