// The readers of the input formats: entries, their positions, and malformed files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp850.h"
#include "entry_formats.h"
#include "entry_text.h"
#include "verb_text.h"

namespace {

struct Want {
  std::string quote, author;
  int line;
  bool fault;
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
    EXPECT_EQ(!got.entries[i].fault.empty(), want[i].fault);
  }
}

TEST(FormatsTest, TextEntries) {
  expect_entries(read_entries("", EntryFormat::kText), {});
  expect_entries(read_entries("\n\n  \n", EntryFormat::kText), {});
  expect_entries(read_entries("\"Um.\"\n\t-- A\n\n\"Dois,\n\ntr\xEAs.\"\n\t-- B C\n\n",
                              EntryFormat::kText),
                 {{"\"Um.\"", "A", 1, false}, {"\"Dois,\n\ntr\xEAs.\"", "B C", 4, false}});
  // No blank line at the end, blanks around "--", text after the closing quote (the
  // entry's check judges it), and a carriage return kept in the author.
  expect_entries(read_entries("\"Um.\"  x\n  --   A\r", EntryFormat::kText),
                 {{"\"Um.\"  x", "A\r", 1, false}});
}

TEST(FormatsTest, MalformedTextSaysWhere) {
  const struct {
    const char* input;
    int line;
  } cases[] = {
      {"Um.\n\t-- A\n", 1},
      {"\"Um.\"\n\t-- A\n\n\n\"Dois.\"\nB\n", 6},
      {"\"Um.\"\n\t-- A\n\n\"Sem fecho.\n\t-- B\n", 4},
      {"\"Um.\"", 1},
      {"\"Um,\ndois.\"", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    ReadResult got = read_entries(c.input, EntryFormat::kText);
    EXPECT_NE(got.malformed, "");
    EXPECT_EQ(got.line, c.line);
    EXPECT_TRUE(got.entries.empty());
  }
}

TEST(FormatsTest, FortuneEntries) {
  expect_entries(read_entries("", EntryFormat::kFortune), {});
  expect_entries(read_entries("%\n%\n", EntryFormat::kFortune), {});
  expect_entries(
      read_entries("\"Um.\"\n\t-- A\n%\n\n\"Dois,\ntr\xEAs.\"\n\t\t--B\n\n%\n", EntryFormat::kFortune),
      {{"\"Um.\"", "A", 1, false}, {"\"Dois,\ntr\xEAs.\"", "B", 5, false}});
  // No author line: the entry is faulty, the rest still read; no final "%" needed.
  expect_entries(read_entries("S\xF3 texto.\n%\n\"Um.\"\n-- A", EntryFormat::kFortune),
                 {{"S\xF3 texto.", "", 1, true}, {"\"Um.\"", "A", 3, false}});
  // A "%" that is not alone on its line belongs to the entry.
  expect_entries(read_entries("\"Um.\"\n%%\n-- A\n", EntryFormat::kFortune),
                 {{"\"Um.\"\n%%", "A", 1, false}});
}

TEST(FormatsTest, JsonEntries) {
  expect_entries(read_entries(" [ ] \n", EntryFormat::kJson), {});
  expect_entries(
      read_entries("[\n  {\"citacao\": \"\\\"Um\\u00e9.\\\"\", \"autor\": \"A\\\\B\\n\"},\n"
                   "  {\"autor\": \"C\\ud83d\\ude00\", \"extra\": \"x\", \"citacao\": \"q\"},\n"
                   "  {\"citacao\": \"s\xC3\xB3\"}\n]",
                   EntryFormat::kJson),
      {{"\"Um\xC3\xA9.\"", "A\\B\n", 2, false},
       {"q", "C\xF0\x9F\x98\x80", 3, false},
       {"s\xC3\xB3", "", 4, true}});
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
