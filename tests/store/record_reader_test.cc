// The record reader and the line reads on data files, driven as every caller drives them.
#include <cstring>
#include <string>
#include <vector>

#include "quote_entry.h"
#include "record_reader.h"
#include "store_folder.h"

namespace store_test {
namespace {

using Events = std::vector<std::string>;

/// A field of N bytes between two guard zones, to see that nothing is written past it.
template <std::size_t N>
struct Guarded {
  static constexpr char kGuard = '\x7F';  // a byte no read may ever store
  char before[32];
  char field[N];
  char after[32];
  Guarded() {
    std::memset(before, kGuard, sizeof before);
    std::memset(after, kGuard, sizeof after);
  }
  /// Whether both guard zones still hold only guard bytes.
  bool intact() const {
    return std::string(before, sizeof before) == std::string(sizeof before, kGuard) &&
           std::string(after, sizeof after) == std::string(sizeof after, kGuard);
  }
};

/// How the first line is skipped: `flushin`, or a " %[^\n]" read into a 2000-byte field.
enum class Skip { kFlushin, kReadLine };

/// Drives the reader over a file: -1 gives "end", 0 gives "0", 1 gives the quotation
/// and then the author read ("@author", or "@<end>" when it meets the end of the file).
Events scan_file(const std::string& path, Skip skip) {
  FileIn in(path.c_str());
  EXPECT_TRUE(in.ok()) << path;
  Guarded<kQuoteSize> first, quote;
  Guarded<kAuthorSize> author;
  if (skip == Skip::kFlushin) flushin(in);
  else read_line(in, first.field, kQuoteSize);
  Events events;
  for (int calls = 0; calls < 100000; ++calls) {
    int got = getquot(in, quote.field);
    events.push_back(got == -1 ? "end" : got == 0 ? "0" : quote.field);
    if (got == -1) break;
    if (got != 1) continue;
    bool taken = read_line(in, author.field, kAuthorSize) == scan::Line::kTaken;
    events.push_back(taken ? "@" + std::string(author.field) : "@<end>");
  }
  EXPECT_TRUE(first.intact() && quote.intact() && author.intact()) << "a field was overrun";
  return events;
}

/// The events written with "0*5" standing for five results 0.
Events seq(std::initializer_list<std::string> items) {
  Events events;
  for (const std::string& item : items) {
    if (item.rfind("0*", 0) == 0) events.insert(events.end(), std::stoul(item.substr(2)), "0");
    else events.push_back(item);
  }
  return events;
}

class RecordReaderTest : public StoreFolderTest {
 protected:
  /// Writes `bytes` as a data file and scans it.
  Events scan(const std::string& bytes, Skip skip = Skip::kFlushin) {
    dir.write("data.txt", bytes);
    return scan_file(path("data.txt"), skip);
  }
};

/// Two quotations as stored; the second holds a byte of every kind the reader admits.
const std::string kOne = "\"Um.\"";
const std::string kTwo = "\"Tr\xEAs, ou n\xE3o?\t'Sim' (1-2/3) [\xAB" "a\xBB]!\"";

TEST_F(RecordReaderTest, ReadsEveryLayoutEntryByEntry) {
  struct Layout {
    const char* name;
    std::string bytes;
    Events events;
  };
  const std::string& h = kHeader;
  const std::string one = "\n" + kOne + "\nA\n", two = "\n" + kTwo + "\nAna Lu\n";
  const Events both = {kOne, "@A", kTwo, "@Ana Lu", "0", "end"};
  const Layout stores[] = {
      {"grown by adding", h + one + two, both},
      {"as an earlier version's deletion rewrote it", h + "\n" + one + two, both},
      {"an earlier version's copy", h + "\n\n" + kOne + "\nA\n\n" + kTwo + "\nAna Lu",
       {kOne, "@A", kTwo, "@Ana Lu", "end"}},
      {"an earlier version's copy, then an addition", h + "\n\n" + kOne + "\nA" + two, both},
      {"header only", h, {"end"}},
  };
  for (const Layout& store : stores) {
    EXPECT_EQ(scan(store.bytes), store.events) << store.name;
    EXPECT_EQ(scan(store.bytes, Skip::kReadLine), store.events) << store.name << ", first line read";
  }
  // A line read leaves the header's newline behind, to be walked over as one 0.
  EXPECT_EQ(scan(h + "\n"), Events{"end"});
  EXPECT_EQ(scan(h + "\n", Skip::kReadLine), seq({"0", "end"}));
  // A journal has no header: its first line is the empty line that begins an entry.
  EXPECT_EQ(scan(one + two), both);
  EXPECT_EQ(scan(""), Events{"end"});
}

TEST_F(RecordReaderTest, CutQuotationsFallBackInStep) {
  // A per-cent sign: the author read takes the rest of the line, then one 0 per
  // non-blank byte of the true author line "Ana Lu".
  EXPECT_EQ(scan(kHeader + "\n\"Cem % certo.\"\nAna Lu\n\n\"Dois.\"\nB\n"),
            seq({"\"Cem \"", "@certo.\"", "0*5", "\"Dois.\"", "@B", "0", "end"}));
  // A double quote in the walked-over text starts a quotation there.
  EXPECT_EQ(scan(kHeader + "\n\"a & b\"\nX \"y\" z\n"),
            seq({"\"a \"", "@b\"", "0", "\"y\"", "@z", "0", "end"}));
  // CR LF line ends: the carriage return cuts a quotation that spans two lines, and
  // stays at the end of each author read.
  EXPECT_EQ(scan(kHeader + "\r\n\"Um.\"\r\nA\r\n\r\n\"Dois\r\nlinhas.\"\r\nB\r\n"),
            seq({kOne, "@A\r", "0", "\"Dois\"", "@linhas.\"\r", "0*3", "end"}));
  // A first line that is a quotation is never seen, whichever way it is skipped.
  for (Skip skip : {Skip::kFlushin, Skip::kReadLine})
    EXPECT_EQ(scan("\"Primeira.\"\nP\n\n\"Segunda.\"\nS\n", skip),
              seq({"0", "\"Segunda.\"", "@S", "0", "end"}));
}

TEST_F(RecordReaderTest, RealByteFFIsAnOrdinaryByteOutsideAQuotation) {
  // Before and after a walked-over byte, after a blank, inside an author line, and
  // inside a quotation (where it cuts it).
  EXPECT_EQ(scan(kHeader + "\n\xFFx\xFF\"Um.\"\n\xFFvio\n \xFF\n\"Sim\xFF" "fim.\"\nA\n"),
            seq({"0*3", kOne, "@\xFFvio", "0", "\"Sim\"", "@fim.\"", "0*2", "end"}));
}

TEST_F(RecordReaderTest, MultilineQuotationsAndTheEndOfTheFile) {
  EXPECT_EQ(scan(kHeader + "\n\"Linha um,\n  linha dois.\"\nAutor\n"),
            seq({"\"Linha um,\n  linha dois.\"", "@Autor", "0", "end"}));
  EXPECT_EQ(scan(kHeader + "\n\"Fim.\""), seq({"\"Fim.\"", "@<end>", "end"}));
  EXPECT_EQ(scan(kHeader + "\n\"Fim.\"\n \n"), seq({"\"Fim.\"", "@<end>", "end"}));
}

TEST_F(RecordReaderTest, LongQuotationsAndAuthorsKeepToTheirFields) {
  const std::string pattern = "Ab c,1-\xE7.\n";
  for (std::size_t size : {1996u, 1997u, 1998u, 3000u}) {
    std::string body;
    for (std::size_t i = 0; i < size; ++i) body += pattern[i % pattern.size()];
    EXPECT_EQ(scan(kHeader + "\n\"" + body + "\"\nLongo\n\n\"Dois.\"\nB\n"),
              seq({"\"" + body.substr(0, 1997) + "\"", "@Longo", "\"Dois.\"", "@B", "0", "end"}))
        << size << " bytes";
  }
  std::string author(200, 'x');
  for (std::size_t i = 0; i < author.size(); i += 7) author[i] = static_cast<char>('a' + i % 26);
  EXPECT_EQ(scan(kHeader + "\n" + kOne + "\n" + author + "\n\n\"Dois.\"\nB\n"),
            seq({kOne, "@" + author.substr(0, 49), "\"Dois.\"", "@B", "0", "end"}));
  std::string first_line(3000, 'h');
  EXPECT_EQ(scan(first_line + "\n" + kOne + "\nA\n", Skip::kReadLine), seq({kOne, "@A", "0", "end"}));
}

TEST_F(RecordReaderTest, EntriesReadTheSameAcrossTheFileBuffer) {
  // A long first line moves two long entries, one cut by a per-cent sign and one closed,
  // over every position of the 64 KiB read buffer's first boundary.
  const std::string body(2100, 'q'), kept = "\"" + body.substr(0, 1997) + "\"";
  const std::string tail = "\n\"" + body + "%resto\"\nAutor\n\n\"" + body + "\"\nB\n";
  const Events want = seq({kept, "@resto\"", "0*5", kept, "@B", "0", "end"});
  for (std::size_t line = 65536 - tail.size() - 2; line <= 65536; ++line) {
    Events got = scan(std::string(line, 'h') + tail);
    ASSERT_EQ(got, want) << "first line of " << line << " bytes";
  }
}

TEST_F(RecordReaderTest, LineReadsAndFlushin) {
  dir.write("lines.txt", "  \t ab c \ncd\n\n \t\n");
  FileIn in(path("lines.txt").c_str());
  char field[8] = "keep";
  EXPECT_EQ(read_line(in, field, sizeof field), scan::Line::kTaken);
  EXPECT_STREQ(field, "ab c ");
  EXPECT_EQ(in.get(), '\n');  // the newline stays in the input
  flushin(in);                // takes "cd\n"
  EXPECT_EQ(in.get(), '\n');
  std::strcpy(field, "keep");
  EXPECT_EQ(read_line(in, field, sizeof field), scan::Line::kAtEnd);
  EXPECT_STREQ(field, "keep");
  EXPECT_EQ(read_line(in, field, sizeof field), scan::Line::kAtEnd);
  flushin(in);  // at the end it simply returns
  EXPECT_EQ(in.get(), -1);
  EXPECT_EQ(getquot(in, field), -1);
}

}  // namespace
}  // namespace store_test
