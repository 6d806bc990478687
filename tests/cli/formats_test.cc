// The readers of the input formats: entries, their positions, and malformed files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp850.h"
#include "entry_formats.h"
#include "entry_text.h"
#include "verb_text.h"

namespace {

/// The longest line an input may have, and the most of an entry a reader holds.
constexpr std::size_t kLongestLine = 64 * 1024;

struct Want {
  std::string quote, author;
  int line;
  bool cut = false;
};

void expect_entries(const ReadResult& got, const std::vector<Want>& want) {
  EXPECT_EQ(got.malformed, "");
  ASSERT_EQ(got.entries.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got.entries[i].quote, want[i].quote);
    EXPECT_EQ(got.entries[i].author, want[i].author);
    EXPECT_EQ(got.entries[i].number, static_cast<int>(i) + 1);
    EXPECT_EQ(got.entries[i].line, want[i].line);
    EXPECT_EQ(got.entries[i].cut, want[i].cut);
  }
}

TEST(FormatsTest, TextEntries) {
  expect_entries(read_entries("", EntryFormat::kText), {});
  expect_entries(read_entries("\n\n  \n", EntryFormat::kText), {});
  expect_entries(read_entries("\"Um.\"\n\t-- A\n\n\"Dois,\n\ntr\xEAs.\"\n\t-- B C\n\n",
                              EntryFormat::kText),
                 {{"\"Um.\"", "A", 1}, {"\"Dois,\n\ntr\xEAs.\"", "B C", 4}});
  // No blank line at the end, blanks around "--", text after the closing quote (the
  // entry's check judges it), and a carriage return at the very end kept in the author.
  expect_entries(read_entries("\"Um.\"  x\n  --   A\r", EntryFormat::kText),
                 {{"\"Um.\"  x", "A\r", 1}});
  // Without an attribution an entry ends at an empty line and has no author.
  expect_entries(read_entries("Sem aspas.\n\nOutra\n-- B\n", EntryFormat::kText),
                 {{"Sem aspas.", "", 1}, {"Outra", "B", 3}});
  // A "--" line inside a pair of double quotes is the quotation's.
  expect_entries(read_entries("\"a\n-- b\nc\"\n\t-- A\n", EntryFormat::kText),
                 {{"\"a\n-- b\nc\"", "A", 1}});
  // An attribution over two lines, CR LF line ends.
  expect_entries(read_entries("Um.\r\n  \xE2\x80\x94 Fulano\r\n  de Tal\r\n\r\nDois\r\n",
                              EntryFormat::kText, Charset::kUtf8),
                 {{"Um.", "Fulano de Tal", 1}, {"Dois", "", 5}});
}

TEST(FormatsTest, MalformedInputSaysWhere) {
  const std::string long_line(kLongestLine + 1, 'a');
  const struct {
    EntryFormat format;
    std::string input;
    int line;
    Charset charset = Charset::kCp850;
  } cases[] = {
      {EntryFormat::kText, std::string("\"Um.\"\n\t-- A\n\nD\0is\n", 17), 4},
      {EntryFormat::kFortune, "Um.\n%\n" + long_line + "\n", 3},
      {EntryFormat::kFortune, "Um.\n%\n" + long_line, 3},
      {EntryFormat::kFortune, "Um.\n-- A\n%\nDois \xE9.\n", 4, Charset::kUtf8},
      // A byte order mark makes the input UTF-8 whatever the locale.
      {EntryFormat::kText, "\xEF\xBB\xBFUm.\n-- A\n\nDois \xE9.\n", 4},
      {EntryFormat::kJson, "[\n{\"citacao\": \"\xE9\", \"autor\": \"A\"}]", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.substr(0, 40));
    ReadResult got = read_entries(c.input, c.format, c.charset);
    EXPECT_NE(got.malformed, "");
    EXPECT_EQ(got.line, c.line);
    EXPECT_TRUE(got.entries.empty());
  }
  // The longest line is still taken, with or without its CR.
  EXPECT_EQ(read_entries("Um.\n-- A\n%\n" + long_line.substr(1) + "\r\n", EntryFormat::kFortune)
                .malformed, "");
}

TEST(FormatsTest, FortuneEntries) {
  expect_entries(read_entries("", EntryFormat::kFortune), {});
  expect_entries(read_entries("%\n%\n", EntryFormat::kFortune), {});
  expect_entries(
      read_entries("\"Um.\"\n\t-- A\n%\n\n\"Dois,\ntr\xEAs.\"\n\t\t--B\n\n%\n", EntryFormat::kFortune),
      {{"\"Um.\"", "A", 1}, {"\"Dois,\ntr\xEAs.\"", "B", 5}});
  // No attribution: no author; no final "%" needed; "%" with blanks after it.
  expect_entries(read_entries("S\xF3 texto.\n% \t\n\"Um.\"\n-- A", EntryFormat::kFortune),
                 {{"S\xF3 texto.", "", 1}, {"\"Um.\"", "A", 3}});
  // A "%" that is not alone on its line belongs to the entry.
  expect_entries(read_entries("\"Um.\"\n%%\n-- A\n", EntryFormat::kFortune),
                 {{"\"Um.\"\n%%", "A", 1}});
  // The last attribution line names the author, with the lines after it; a dash in the
  // first column opens a line of dialogue; a byte order mark is skipped.
  expect_entries(read_entries("\xEF\xBB\xBF\xE2\x80\x94 Ol\xC3\xA1.\n-- n\xC3\xA3o\n"
                              "\xE2\x80\x95 Adeus.\n   \xE2\x80\x95  Fulano,\n\t\"Cartas\" \n\n%\n",
                              EntryFormat::kFortune),
                 {{"\xE2\x80\x94 Ol\xC3\xA1.\n-- n\xC3\xA3o\n\xE2\x80\x95 Adeus.",
                   "Fulano, \"Cartas\"", 1}});
  // An entry longer than any the store holds is not held whole.
  const std::string line(1000, 'a');
  std::string big;
  for (int i = 0; i < 100; ++i) big += line + "\n";
  ReadResult got = read_entries(big + "-- A\n%\nDois\n-- B\n", EntryFormat::kFortune);
  ASSERT_EQ(got.entries.size(), 2u);
  EXPECT_TRUE(got.entries[0].cut);
  EXPECT_LE(got.entries[0].quote.size(), kLongestLine);
  EXPECT_EQ(got.entries[0].author, "");
  EXPECT_FALSE(got.entries[1].cut);
  EXPECT_EQ(got.entries[1].line, 103);
}

TEST(FormatsTest, JsonEntries) {
  expect_entries(read_entries(" [ ] \n", EntryFormat::kJson), {});
  // Other members are passed over and counted by the objects that hold them; a missing
  // or null member is empty; an escaped CR LF is a line end.
  ReadResult got =
      read_entries("\xEF\xBB\xBF[\n  {\"citacao\": \"\\\"Um\\u00e9.\\\"\", \"autor\": \"A\\\\B\\n\"},\n"
                   "  {\"autor\": \"C\\ud83d\\ude00\", \"extra\": \"x\", \"citacao\": \"q\", "
                   "\"extra\": \"y\"},\n"
                   "  {\"citacao\": \"s\xC3\xB3\\r\\nx\\r\", \"n\xC3\xBAmero\": \"1\", \"extra\": \"\"},\r\n"
                   "  {\"citacao\": null, \"autor\": null}\n]\n",
                   EntryFormat::kJson);
  expect_entries(got, {{"\"Um\xC3\xA9.\"", "A\\B\n", 2},
                       {"q", "C\xF0\x9F\x98\x80", 3},
                       {"s\xC3\xB3\nx\r", "", 4},
                       {"", "", 5}});
  ASSERT_EQ(got.ignored.size(), 2u);
  EXPECT_EQ(got.ignored[0].name, "extra");
  EXPECT_EQ(got.ignored[0].objects, 2);
  EXPECT_EQ(got.ignored[1].name, "n\xC3\xBAmero");
  EXPECT_EQ(got.ignored[1].objects, 1);
}

TEST(FormatsTest, MalformedJsonSaysWhere) {
  const struct {
    const char* input;
    int line;
  } cases[] = {
      {"", 1},
      {"{}", 1},
      {"[\n{\"citacao\": \"a\", \"autor\": \"b\"},\n]", 3},
      {"[{\"citacao\": 1}]", 1},
      {"[{\"citacao\": \"a\nb\"}]", 1},
      {"[{\"citacao\": \"\\x\"}]", 1},
      {"[{\"citacao\": \"\\udc00\"}]", 1},
      {"[{\"citacao\" \"a\"}]", 1},
      {"[]\n\n[]", 3},
      {"[{\"citacao\": \"a\"", 1},
      {"[{\"outro\": null}]", 1},
      {"[{\"citacao\": nulo}]", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    ReadResult got = read_entries(c.input, EntryFormat::kJson);
    EXPECT_NE(got.malformed, "");
    EXPECT_EQ(got.line, c.line);
  }
}

TEST(VerbTextTest, FileTextCrossesToEachCharsetAndBack) {
  // Every byte talvo writes to a file goes out as the menu shows it and comes back the
  // same in both character sets; the 28 it never writes (they read as accented letters)
  // come back as those letters' bytes, and control characters are refused.
  for (Charset charset : {Charset::kUtf8, Charset::kCp850}) {
    for (int b = 1; b < 256; ++b) {
      SCOPED_TRACE(b);
      std::string text, console, back;
      file_to_text(std::string(1, static_cast<char>(b)), charset, text);
      std::u32string chars;
      ASSERT_TRUE(unicode::decode(text, charset, chars));
      char32_t refused = 0;
      const bool control = b < 0x20 || b == 0x7F;
      ASSERT_EQ(to_cp850(chars, TextField::kAuthor, console, refused), b == '\t' || !control);
      if (control && b != '\t') continue;
      cp850_to_file(console, back);
      std::string shown;
      file_to_cp850(std::string(1, static_cast<char>(b)), shown);
      file_to_cp850(back, console);
      EXPECT_EQ(console, shown + shown);  // the same text as the menu shows
    }
  }
  std::string console;
  file_to_text("Cora\xE7\xE3o \xAB \x81", Charset::kCp850, console);
  EXPECT_EQ(console, "Coração "_cp + std::string("\xAB \x81"));
  std::string utf8;
  file_to_text("M\x81ller", Charset::kUtf8, utf8);
  EXPECT_EQ(utf8, "Müller");
}

}  // namespace
