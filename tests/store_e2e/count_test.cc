// End-to-end: the entry count of main menu 9 on every store layout, and with no store.
#include "adding.h"

namespace talvo_test {
namespace {

TEST(CountTest, CountsEveryLayoutTheStoreCanHave) {
  const std::vector<Entry> three = {{"\"Um.\"", "A"}, {"\"Dois.\"", "B"}, {"\"Tr\xEAs.\"", "C"}};
  const struct {
    const char* what;
    std::string store;
    int count;
  } cases[] = {
      {"grown by adding", added_layout(three), 3},
      {"rewritten by an earlier version's deletion", rewritten_layout(three), 3},
      {"restored from an earlier version's copy", copy_layout(three), 3},
      {"header only", kHeader, 0},
      {"empty file", "", 0},
      {"header with a newline", kHeader + "\n", 0},
      {"a per-cent sign cuts one entry", kHeader + "\n\"Dei 100% de mim.\"\nEu\n\n\"Um.\"\nA\n", 2},
      {"a quotation over two lines", kHeader + "\n\"Um,\ndois.\"\nA\n", 1},
      {"a last quotation with no author line", kHeader + "\n\"Um.\"\nA\n\n\"Fim.\"", 2},
      {"first line a quotation, never seen", "\"Um.\"\nA\n\n\"Dois.\"\nB\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    dir.write("citas.txt", c.store);
    Outcome r = run_talvo(dir, "9\n\n0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, menu_screen() + count_line(c.count) + menu_screen());
    EXPECT_EQ(dir.read("citas.txt"), c.store);
    EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
  }
}

TEST(CountTest, CountWaitsForOneCharacterOnly) {
  // The wait takes the "x"; the menu then reads 9 again from the same line.
  ScratchDir dir;
  dir.write("citas.txt", kHeader + "\n\"Um.\"\nA\n");
  Outcome r = run_talvo(dir, "9\nx9\n\n0\n");
  EXPECT_EQ(r.out, menu_screen() + count_line(1) + menu_screen() + count_line(1) + menu_screen());
}

TEST(CountTest, CountWithNoStoreIsFatal) {
  // The old safety copy is kept for a later recovery; the journals go all the same.
  ScratchDir dir;
  const std::string old_copy = kHeader + "\n\n\"Antiga.\"\nZ";
  dir.write("tempcopy.dat", old_copy);
  dir.write("added.dat", "\n\"Velha.\"\nX\n");
  dir.write("deleted.dat", "");
  Outcome r = run_talvo(dir, "9\n\n0\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, menu_screen() + "\nErro: Impossibilidade em abrir o ficheiro\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), old_copy);
  EXPECT_EQ(dir.listing(), "tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
