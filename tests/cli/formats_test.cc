// The readers of the input formats: entries, their positions, and malformed files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp850.h"
#include "entry_formats.h"
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
  // Every byte of the file code page goes out and comes back the same in UTF-8; in code
  // page 850 as the console translates it.
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string utf8, back;
  file_to_text(all, Charset::kUtf8, utf8);
  ASSERT_TRUE(text_to_file(utf8, Charset::kUtf8, back));
  EXPECT_EQ(back, all);
  std::string console;
  file_to_text("Cora\xE7\xE3o \xAB", Charset::kCp850, console);
  EXPECT_EQ(console, "Coração "_cp + std::string("\xAB"));
  back.clear();
  ASSERT_TRUE(text_to_file(console, Charset::kCp850, back));
  EXPECT_EQ(back, "Cora\xE7\xE3o \xAB");
}

TEST(VerbTextTest, TextTheFileCannotHoldIsRefused) {
  for (const char* bad : {"\xE2\x82\xAC", "\xC3", "\xC3(", "\x80", "\xC0\xAF", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80"}) {
    std::string out;
    EXPECT_FALSE(text_to_file(std::string("a") + bad, Charset::kUtf8, out)) << bad;
  }
  EXPECT_EQ(text_to_console("a\xE2\x82\xAC\xC3\xA7", Charset::kUtf8), "a?\x87");
}

}  // namespace
