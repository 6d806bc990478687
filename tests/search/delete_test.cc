// End-to-end: main menu 3, deleting an entry found by search, and what it journals.
#include "search_screens.h"

namespace talvo_test {
namespace {

class DeleteTest : public SessionTest {
 protected:
  /// The deleting dialogue up to its question, with this entry selected.
  static std::string asked(const Entry& e, bool ignore_case) {
    return kEditPrompts + shown(e, ignore_case) + kEraseQuestion;
  }
};

TEST_F(DeleteTest, TheOnlyEntryLeavesTheStoreAsBeforeItWasAdded) {
  const Entry only{"\"Unica.\"", "Eu"};
  dir.write("citas.txt", added_layout({only}));
  Outcome r = run("3\nUnica\n1\nN\n\ns\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + asked(only, false) + kDeleted + continuation_screen());
  // The entry's bytes and the newline before them: what adding it appended.
  EXPECT_EQ(dir.read("citas.txt"), kHeader);
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(DeleteTest, OnlyTheChosenOfTwoEqualEntriesGoesAndEveryOtherByteStays) {
  const Entry twice{"\"O VENTO passa.\"", "Ana"}, same_quote{"\"O VENTO passa.\"", "Bia"},
      same_author{"\"Fica o vento.\"", "Ana"}, other{"\"Nada.\"", "Caio"};
  // A quotation the record reader cuts at "%" and a last quotation with no author line
  // stay as they stand in the file.
  const Entry cut{"\"50% certo.\"", "Autor"};
  const std::string fim = "\n\"Fim.\"";
  const std::string store = added_layout({twice, same_quote, cut, other, same_author, twice}) + fim;
  // "vento" ignoring case matches twice, same_quote, same_author, twice: the 1st and the
  // 4th match are the two equal entries, and each time the one shown is the one that goes
  // (with the newline that separates it from its neighbour).
  const std::pair<std::string, std::string> rows[] = {
      {"1", added_layout({same_quote, cut, other, same_author, twice}) + fim},
      {"4", added_layout({twice, same_quote, cut, other, same_author}) + fim},
  };
  for (const auto& [n, left] : rows) {
    reset(dir, &store);
    Outcome r = run("3\nvento\n" + n + "\nS\n\ns\n\n2\n5\n\n0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, menu_screen() + asked(twice, true) + kDeleted + continuation_screen() +
                         menu_screen() + kHistoryTitle + deleted_list({twice}) + "\n" + kCls +
                         kHistoryMenu)
        << n;
    EXPECT_EQ(dir.read("citas.txt"), left) << n;
    EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
  }
}

TEST_F(DeleteTest, AnEntryAddedInThisRunMovesBetweenTheJournals) {
  const Entry alfa{"\"Alfa.\"", "Aa"}, beta{"\"Beta.\"", "Bb"};
  dir.write("citas.txt", kHeader);
  Outcome r = run("1\n\"Alfa.\"\nAa\nS\n\n1\n\"Beta.\"\nBb\nS\n\n2\n"
                  "3\nAlfa\n1\nN\n\ns\n\n2\n"
                  "5\n\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass(alfa, kAddedLine) + continuation_screen() +
                       adding_pass(beta, kAddedLine) + continuation_screen() + menu_screen() +
                       asked(alfa, false) + kDeleted + continuation_screen() + menu_screen() +
                       kHistoryTitle + added_list({beta}) + "\n" + kCls + deleted_list({alfa}) +
                       "\n" + kCls + kHistoryMenu);
  EXPECT_EQ(dir.read("citas.txt"), added_layout({beta}));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(DeleteTest, NoOrNoMatchChangesNothing) {
  const Entry only{"\"Unica.\"", "Eu"};
  const std::string store = added_layout({only});
  dir.write("citas.txt", store);
  // "n": the wait takes the rest of the answer line, the continuation prompt follows.
  Outcome r = run("3\nUnica\n1\nN\n\nn\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + asked(only, false) + kNotDeleted + continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), store);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");

  // No match: no question is asked; the "s" line would otherwise be its answer.
  reset(dir, &store);
  r = run("3\nzzz\n1\nN\n\n0\ns\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kEditPrompts + kNoEntry + kRule + continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), store);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
