// The terminal bridge's two tables, checked against glibc's own code page 850 and UTF-8.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "decode_helper.h"
#include "unicode.h"
#include "utf8_check.h"

namespace talvo_test {
namespace {

/// The UTF-8 a terminal is sent for the code page 850 bytes.
std::string encode(const std::string& cp850) {
  std::string utf8;
  unicode::cp850_to_utf8(cp850, utf8);
  return utf8;
}

TEST(CodeTables, EveryByteShowsAsItsCharacterAndComesBack) {
  for (int b = 0; b < 256; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string shown = encode(byte);
    SCOPED_TRACE(b);
    EXPECT_TRUE(valid_utf8(shown));
    EXPECT_EQ(shown, iconv_convert(byte, "CP850", "UTF-8"));
    EXPECT_EQ(decode(shown), byte);
  }
  // Control characters and ASCII pass as they are; box drawing becomes its own character.
  EXPECT_EQ(encode("\x1b[H\x1b[2J\t\n"), "\x1b[H\x1b[2J\t\n");
  EXPECT_EQ(encode("\xC9\xCD\xBB"), "╔═╗");
  EXPECT_EQ(encode("Hist\xA2ria da Sess\xC6o"), "História da Sessão");
  // Appending keeps what was there.
  std::string text = "a";
  unicode::cp850_to_utf8("\x87", text);
  EXPECT_EQ(text, "aç");
}

TEST(CodeTables, EveryCharacterTheCodePageLacksBecomesOneQuestionMark) {
  EXPECT_EQ(decode("€"), "?");
  EXPECT_EQ(decode("日本"), "??");
  EXPECT_EQ(decode("\u0100"), "?");
  EXPECT_EQ(decode("😀"), "?");
  EXPECT_EQ(decode("Ação É"), "A\x87\xC6o \x90");

  // Every code point there is, in one stream: one byte each, the code page's own byte
  // where glibc's code page 850 has the character, else '?'.
  std::u32string all;
  for (char32_t c = 1; c <= 0x10FFFF; ++c)
    if (c < 0xD800 || c > 0xDFFF) all += c;
  std::string as_bytes(reinterpret_cast<const char*>(all.data()), all.size() * 4);
  std::optional<std::string> utf8 = iconv_convert(as_bytes, "UTF-32LE", "UTF-8");
  ASSERT_TRUE(utf8);
  std::string expected(all.size(), '?');
  for (int b = 1; b < 256; ++b) {
    std::optional<std::string> code = iconv_convert(std::string(1, static_cast<char>(b)), "CP850", "UTF-32LE");
    ASSERT_TRUE(code && code->size() == 4);
    char32_t c = static_cast<unsigned char>((*code)[0]) | static_cast<unsigned char>((*code)[1]) << 8 |
                 static_cast<unsigned char>((*code)[2]) << 16;
    expected[c - 1 - (c > 0xDFFF ? 0x800 : 0)] = static_cast<char>(b);
  }
  EXPECT_TRUE(decode(*utf8) == expected);
}

TEST(CodeTables, TheLocaleOnlyTellsTheCharacterSet) {
  EXPECT_TRUE(unicode::is_utf8_name("UTF-8"));
  EXPECT_TRUE(unicode::is_utf8_name("utf8"));
  EXPECT_FALSE(unicode::is_utf8_name("ANSI_X3.4-1968"));
  EXPECT_FALSE(unicode::is_utf8_name("ISO-8859-1"));
  EXPECT_FALSE(unicode::is_utf8_name("UTF-16"));

  std::string before = std::setlocale(LC_CTYPE, nullptr);
  setenv("LC_ALL", "C.UTF-8", 1);
  EXPECT_TRUE(unicode::terminal_is_utf8());
  // The process keeps the locale it had: no character-type rule of the program changes.
  EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), before);
  setenv("LC_ALL", "C", 1);
  EXPECT_FALSE(unicode::terminal_is_utf8());
  setenv("LC_ALL", "no_SUCH.locale", 1);
  EXPECT_FALSE(unicode::terminal_is_utf8());
  unsetenv("LC_ALL");
  EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), before);
}

}  // namespace
}  // namespace talvo_test
