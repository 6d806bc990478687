// End-to-end: the history screen of a run, its listings, and undoing changes from it.
#include <string>
#include <vector>

#include "entries.h"
#include "screens.h"
#include "session.h"

namespace talvo_test {
namespace {

/// The texts of the history screen's own dialogues.
const std::string kNumberPrompt = "\n\n\nNúmero da entrada: "_cp;
const std::string kCancelled = "\n\nOperação cancelada."_cp;
const std::string kInvalid = "\n\nErro: Entrada inválida"_cp;

/// The entry in the store and journal layout: newline, quotation, newline, author, newline.
std::string stored(const TypedEntry& e) { return "\n" + e.fquote + "\n" + e.fauthor + "\n"; }

/// The numbered listing of a journal holding `entries`.
std::string numbered_listing(const std::vector<TypedEntry>& entries) {
  std::string s;
  int n = 0;
  for (const TypedEntry& e : entries) {
    s += "\n\n" + std::to_string(++n) + ")\n\t" + e.quote + "\n" + e.author;
    if ((n + 1) % 10 == 0) s += kPageWait;
  }
  return s;
}

/// The two lists of the report, each under its heading.
std::string added_list(const std::vector<TypedEntry>& e) { return talvo_test::added_list(on_screen(e)); }
std::string deleted_list(const std::vector<TypedEntry>& e) { return talvo_test::deleted_list(on_screen(e)); }

/// One pass of the history loop up to its menu; an empty list stands for a zero counter.
std::string pass(const std::string& added, const std::string& deleted) {
  if (added.empty() && deleted.empty()) return kNothingToReport;
  std::string s = kHistoryTitle + added;
  if (!added.empty() && !deleted.empty()) s += "\n" + kCls;
  return s + deleted + "\n" + kCls + kHistoryMenu;
}

/// The screen of history answer 2 (from the deleted journal) or 3, up to the number prompt.
std::string pick(bool from_deleted, const std::vector<TypedEntry>& listed) {
  return kCls + "\n\n\bRecuperar citação (introduza 0 para cancelar)"_cp +
         (from_deleted ? "\n\nLista de entradas eliminadas..." : "\n\nLista de entradas adicionadas...") +
         numbered_listing(listed) + kNumberPrompt;
}

/// Each test runs the real program in its own scratch directory.
class HistoryScreenTest : public SessionTest {};

TEST_F(HistoryScreenTest, NoChangeShowsTheShortMenuUntilOneOrZero) {
  dir.write("citas.txt", kHeader + stored(kCantar));
  // 2 and 3 are not offered: each shows the report again, whose wait takes the newline left.
  Outcome r = run("5\n\n2\n3\n-4\nx\n1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + pass("", "") + pass("", "") + pass("", "") + pass("", "") +
                       pass("", "") + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kCantar));

  // Answer 0 at the history menu ends the program cleanly.
  r = run("5\na0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + pass("", ""));
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + stored(kCantar));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(HistoryScreenTest, OneAdditionIsListedWithTheFullMenu) {
  // The letters are the waits: each reads exactly one character.
  Outcome r = run(add_input(kAmar) + "5\na1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + pass(added_list({kAmar}), "") +
                       menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kAmar));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(HistoryScreenTest, BothJournalsFillTwoScreens) {
  dir.write("citas.txt", kHeader + stored(kBeber));
  Outcome r = run(add_input(kAmar) + erase_input("Beber") + "5\nab1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + erase_screens(kBeber) +
                       pass(added_list({kAmar}), deleted_list({kBeber})) + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kAmar));
}

TEST_F(HistoryScreenTest, TenEntriesPageTheCountAndTheNumberedListings) {
  std::vector<TypedEntry> ten;
  std::string input, screens;
  for (int i = 0; i < 10; ++i) {
    ten.push_back(plain("\"Frase " + std::to_string(i) + ".\"", "Autor " + std::to_string(i)));
    input += add_input(ten.back());
    screens += add_screens(ten.back());
  }
  // Count listing: waits a (after the 10th) and b. Numbered listing: after the 9th it takes
  // c; then 0 cancels, and the next report's page wait takes the newline after the 0.
  Outcome r = run(input + "5\nab3c0\nd1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + screens + pass(added_list(ten), "") + pick(false, ten) + kCancelled +
                       pass(added_list(ten), "") + menu_screen());
}

TEST_F(HistoryScreenTest, SameEntryAddedTwiceGoesOneAtATime) {
  // The deletion takes one of the two equal entries and strikes one of the two records;
  // undoing the other addition takes the second, and both journals agree with the store.
  Outcome r = run(add_input(kAmar) + add_input(kAmar) + erase_input("Amar") + "5\nab3\n1\nc1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + add_screens(kAmar) + erase_screens(kAmar) +
                       pass(added_list({kAmar}), deleted_list({kAmar})) + pick(false, {kAmar}) + kDeleted +
                       pass("", deleted_list({kAmar, kAmar})) + menu_screen());
  // Two additions and two deletions: the store is the header the first addition wrote.
  EXPECT_EQ(dir.read("citas.txt"), kHeader);
}

TEST_F(HistoryScreenTest, ReAddsTheSecondOfThreeDeletedEntries) {
  dir.write("citas.txt", kHeader + stored(kAmar) + stored(kBeber) + stored(kCantar));
  Outcome r = run(erase_input("Amar") + erase_input("Beber") + erase_input("Cantar") +
                  "5\na2\n2\nbc1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + erase_screens(kAmar) + erase_screens(kBeber) + erase_screens(kCantar) +
                       pass("", deleted_list({kAmar, kBeber, kCantar})) +
                       pick(true, {kAmar, kBeber, kCantar}) + kAddedLine +
                       // Both lists: the added one, a wait (b), then the deleted one.
                       pass(added_list({kBeber}), deleted_list({kAmar, kCantar})) + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kBeber));
}

TEST_F(HistoryScreenTest, UndoingAnAdditionTakesTheEntryAppendedNotAnEarlierEqualOne) {
  dir.write("citas.txt", kHeader + stored(kAmar) + stored(kCantar));
  Outcome r = run(add_input(kAmar) + add_input(kBeber) + "5\na3\n1\nbc1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + add_screens(kBeber) +
                       pass(added_list({kAmar, kBeber}), "") + pick(false, {kAmar, kBeber}) + kDeleted +
                       pass(added_list({kBeber}), deleted_list({kAmar})) + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kAmar) + stored(kCantar) + stored(kBeber));
}

TEST_F(HistoryScreenTest, EntryNumbersWithNoEntryChangeNothing) {
  dir.write("citas.txt", kHeader + stored(kCantar));
  // 0 cancels; 3, -1 and a word are invalid. The newline after each answer is left, so the
  // first wait of the next report passes on it.
  Outcome r = run(add_input(kAmar) + add_input(kBeber) + "5\na3\n0\n3\n3\n3\n-1\n3\nabc\n1\n0\n");
  EXPECT_EQ(r.status, 0);
  std::string report = pass(added_list({kAmar, kBeber}), "");
  std::string listing = pick(false, {kAmar, kBeber});
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + add_screens(kBeber) + report + listing + kCancelled +
                       report + listing + kInvalid + report + listing + kInvalid + report + listing + kInvalid +
                       report + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kCantar) + stored(kAmar) + stored(kBeber));
}

TEST_F(HistoryScreenTest, ReAddingBeforeAnyDeletionIsFatal) {
  dir.write("tempcopy.dat", "safety copy of the last clean end");
  Outcome r = run(add_input(kAmar) + "5\na2\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + pass(added_list({kAmar}), "") + kCls +
                       "\n\n\bRecuperar citação (introduza 0 para cancelar)"_cp +
                       std::string("\n\nLista de entradas eliminadas...\nErro: Impossibilidade em abrir o ficheiro\n"));
  EXPECT_EQ(dir.read("tempcopy.dat"), "safety copy of the last clean end");
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(HistoryScreenTest, DeletingAnEntryTheStoreNoLongerHoldsChangesNoJournal) {
  // The backup copy holds only the other entry: restoring it mid-run loses the addition.
  const std::string copy = kHeader + "\n\n" + kCantar.fquote + "\n" + kCantar.fauthor;
  dir.write("copy.dat", copy);
  dir.write("auxy.dat", "Mon Jan  5 10:00:00 2026\n\n");
  Outcome r = run(add_input(kAmar) + "7\nS\nn\n\n" + "5\na3\n1\nb1\n0\n");
  EXPECT_EQ(r.status, 0);
  std::string restore =
      kAskBackup + kRestored + backup_question("Mon Jan  5 10:00:00 2026") + kCopyCancelled + menu_screen();
  std::string report = pass(added_list({kAmar}), "");
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + restore + report + pick(false, {kAmar}) +
                       kNotInStore + report + menu_screen());
  // A deletion that finds nothing leaves the store as the restore made it.
  EXPECT_EQ(dir.read("citas.txt"), copy);
}

TEST_F(HistoryScreenTest, StaleJournalsAreListedOnceTheirCounterMoves) {
  // A killed run left both journals; the added one holds an entry the reader cuts at "%".
  const TypedEntry x = plain("\"Xis.\"", "xa");
  const TypedEntry y = plain("\"Ypsilon.\"", "ya");
  const TypedEntry old = plain("\"Velha.\"", "vv");
  const TypedEntry cut = plain("\"Cem \"", "certo.\"");  // "Cem % certo." as the reader reads it
  dir.write("added.dat", stored(x) + "\n\"Cem % certo.\"\nAutor\n" + stored(y));
  dir.write("deleted.dat", stored(old));
  dir.write("citas.txt", kHeader + stored(y));
  // Nothing to report until this run adds; the count listing stops after the cut entry,
  // the numbered listing goes on to the end.
  Outcome r = run("5\na1\n" + add_input(kCantar) + add_input(kAmar) + "5\nb3\n3\ncd1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + pass("", "") + menu_screen() + add_screens(kCantar) + add_screens(kAmar) +
                       pass(added_list({x, cut}), "") + pick(false, {x, cut, y, kCantar, kAmar}) + kDeleted +
                       // The strike took only y's record: "Autor", walked over, still
                       // ends the count listing after the cut entry.
                       pass(added_list({x, cut}), deleted_list({old, y})) + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kCantar) + stored(kAmar));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(HistoryScreenTest, UndoBothWaysFromTheHistory) {
  // Add A and B, delete A; from the history put A back, then delete B.
  Outcome r = run(add_input(kAmar) + add_input(kBeber) + erase_input("Amar") +
                  "5\nab2\n1\nc3\n1\nde1\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + add_screens(kBeber) + erase_screens(kAmar) +
                       pass(added_list({kBeber}), deleted_list({kAmar})) + pick(true, {kAmar}) + kAddedLine +
                       pass(added_list({kBeber, kAmar}), "") + pick(false, {kBeber, kAmar}) + kDeleted +
                       pass(added_list({kAmar}), deleted_list({kBeber})) + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + stored(kAmar));
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + stored(kAmar));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
