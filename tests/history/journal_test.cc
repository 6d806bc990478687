// The session journals: appending and striking entries, and their counters.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>

#include "journal.h"
#include "session.h"

namespace {

/// One entry as the journals receive it, in the file code page.
struct Entry {
  std::string quote, author;
};

const Entry kA = {"\"A\xE7\xE3o \xE9 tudo.\"", "S\xE1"};
const Entry kB = {"\"Dois.\"", "B"};
const Entry kC = {"\"Tr\xEAs.\"", "C"};

/// The journal layout of some entries: "\n%s\n%s\n" each.
std::string layout(std::initializer_list<Entry> entries) {
  std::string bytes;
  for (const Entry& e : entries) bytes += "\n" + e.quote + "\n" + e.author + "\n";
  return bytes;
}

/// A test run in its own scratch directory, with both counters at 0.
class JournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
    ASSERT_EQ(chdir(dir.data().c_str()), 0);
    Nadd = Ndele = 0;
  }
  void TearDown() override { ASSERT_EQ(chdir(home_), 0); }

  static void append(const char* journal, const Entry& e) {
    add_entryH(journal, e.quote.c_str(), e.author.c_str());
  }
  static void strike(const char* journal, const Entry& e) {
    delete_entryH(journal, e.quote.c_str(), e.author.c_str());
  }
  /// What adding an entry to the store does to the journals.
  static void store_add(const Entry& e) {
    append("added.dat", e);
    if (Ndele > 0) strike("deleted.dat", e);
  }
  /// What deleting an entry from the store does to the journals.
  static void store_delete(const Entry& e) {
    append("deleted.dat", e);
    if (Nadd > 0) strike("added.dat", e);
  }

  talvo_test::ScratchDir dir;

 private:
  char home_[PATH_MAX] = {};
};

TEST_F(JournalTest, AddingAndDeletingMoveEntriesBetweenTheJournals) {
  struct Row {
    const char* steps;  // "+A" adds A to the store, "-A" deletes it
    std::optional<std::string> added;
    int nadd;
    std::optional<std::string> deleted;
    int ndele;
  };
  const Row rows[] = {
      {"+A", layout({kA}), 1, std::nullopt, 0},
      {"+A -A", "", 0, layout({kA}), 1},
      {"+A -A +A", layout({kA}), 1, "", 0},
      {"-B", std::nullopt, 0, layout({kB}), 1},
      {"+A +B -A", layout({kB}), 1, layout({kA}), 1},
      // One of two equal records is struck: the journal still holds the other.
      {"+A +A -A", layout({kA}), 1, layout({kA}), 1},
  };
  for (const Row& row : rows) {
    std::remove("added.dat");
    std::remove("deleted.dat");
    Nadd = Ndele = 0;
    std::istringstream steps(row.steps);
    for (std::string step; steps >> step;) {
      const Entry& e = step[1] == 'A' ? kA : kB;
      step[0] == '+' ? store_add(e) : store_delete(e);
    }
    EXPECT_EQ(dir.read("added.dat"), row.added) << row.steps;
    EXPECT_EQ(Nadd, row.nadd) << row.steps;
    EXPECT_EQ(dir.read("deleted.dat"), row.deleted) << row.steps;
    EXPECT_EQ(Ndele, row.ndele) << row.steps;
    EXPECT_FALSE(dir.exists("temph.txt")) << row.steps;
  }
}

TEST_F(JournalTest, OnlyAnExactlyEqualEntryIsStruck) {
  append("added.dat", kA);
  append("added.dat", kB);
  const Entry near_misses[] = {
      kC,
      {"\"A\xC7\xC3O \xC9 TUDO.\"", kA.author},   // the quotation in capitals
      {kA.quote, "s\xE1"},                         // the author in small letters
      {kA.quote, kA.author + " "},                 // a blank at the end of the author
      {"A\xE7\xE3o \xE9 tudo.", kA.author},        // without its double quotes
  };
  for (const Entry& e : near_misses) {
    strike("added.dat", e);
    EXPECT_EQ(dir.read("added.dat"), layout({kA, kB})) << e.quote << " / " << e.author;
    EXPECT_EQ(Nadd, 2);
  }
  Ndele = 3;
  strike("deleted.dat", kA);  // a journal not there yet is created empty
  EXPECT_EQ(dir.read("deleted.dat"), "");
  EXPECT_EQ(Ndele, 3);
  EXPECT_EQ(dir.listing(), "added.dat deleted.dat");
}

TEST_F(JournalTest, StrikingTheOnlyEntryLeavesAnEmptyFile) {
  append("deleted.dat", kC);
  EXPECT_EQ(Ndele, 1);
  strike("deleted.dat", kC);
  EXPECT_EQ(dir.read("deleted.dat"), "");
  EXPECT_EQ(Ndele, 0);
  // Any name but "added.dat" counts in Ndele.
  append("outro.dat", kB);
  EXPECT_EQ(dir.read("outro.dat"), layout({kB}));
  EXPECT_EQ(Ndele, 1);
  EXPECT_EQ(Nadd, 0);
  strike("outro.dat", kB);
  EXPECT_EQ(Ndele, 0);
  EXPECT_EQ(dir.listing(), "deleted.dat outro.dat");
}

TEST_F(JournalTest, AStrikeTakesOneRecordsBytesAndKeepsEveryOtherByte) {
  // A per-cent sign cuts the quotation: it is never struck, and it stays as it stands,
  // its true author line too, whatever else is struck.
  const std::string cut = "\n\"Cem % certo.\"\nAna Lu\n";
  const std::string long_author(60, 'x');
  // Another layout: blank lines, a blank before an author, an author line longer than 49
  // bytes (matched on its first 49), a quotation with no author line after it.
  const std::string other = "\n\n" + kA.quote + "\n  " + kA.author + "\n\n\n" + kB.quote + "\n" + long_author +
                            "\n\n\"Fim.\"";
  struct Row {
    const char* journal;
    std::string before;
    Entry struck;
    std::string after;  // the same bytes when nothing is struck
    int counter_after;  // from 3
  };
  const Row rows[] = {
      {"added.dat", cut + layout({kB, kC}), {"\"Cem % certo.\"", "Ana Lu"}, cut + layout({kB, kC}), 3},
      {"added.dat", cut + layout({kB, kC}), kB, cut + layout({kC}), 2},
      {"added.dat", cut + layout({kB, kC}), kC, cut + layout({kB}), 2},
      {"deleted.dat", other, kC, other, 3},
      {"deleted.dat", other, {"\"Fim.\"", ""}, other, 3},
      {"deleted.dat", other, {kB.quote, long_author.substr(0, 49)},
       "\n\n" + kA.quote + "\n  " + kA.author + "\n\n\n\"Fim.\"", 2},
  };
  for (const Row& row : rows) {
    dir.write(row.journal, row.before);
    Nadd = Ndele = 3;
    strike(row.journal, row.struck);
    EXPECT_EQ(dir.read(row.journal), row.after) << row.struck.quote;
    EXPECT_EQ(std::string(row.journal) == "added.dat" ? Nadd : Ndele, row.counter_after) << row.struck.quote;
  }
  EXPECT_EQ(dir.listing(), "added.dat deleted.dat");
}

}  // namespace
