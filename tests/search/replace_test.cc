// End-to-end: main menu 4, replacing an entry found by search by a newly typed one.
#include "search_screens.h"

namespace talvo_test {
namespace {

const Entry kAlfa{"\"Alfa.\"", "Aa"}, kBeta{"\"Beta.\"", "Bb"}, kGama{"\"Gama.\"", "Gg"};
/// Typing the new entry Gama at the adding pass, up to its confirmation answer.
const std::string kTypeGama = "\"Gama.\"\nGg\n";

class ReplaceTest : public SessionTest {
 protected:
  void SetUp() override { dir.write("citas.txt", store_); }
  const std::string store_ = added_layout({kAlfa, kBeta});
};

TEST_F(ReplaceTest, YesThenYesReplaces) {
  Outcome r = run("4\nAlfa\n1\nN\n\ns\n" + kTypeGama + "S\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kEditPrompts + shown(kAlfa, false) + kAlterQuestion +
                       kDeleted + kAddNew + adding_pass(kGama, kAddedLine) +
                       continuation_screen());
  // The old entry's bytes go, the new entry is appended.
  EXPECT_EQ(dir.read("citas.txt"), added_layout({kBeta, kGama}));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(ReplaceTest, YesThenNoKeepsTheOriginal) {
  // The replace is all or nothing: the new entry declined, the old one is put back where
  // it was and the journals as they were, so the history has nothing to report. The kept
  // line follows the adding pass; the dialogue's wait takes the newline after the "n".
  Outcome r = run("4\nAlfa\n1\nN\n\ns\n" + kTypeGama + "n\n2\n5\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kEditPrompts + shown(kAlfa, false) + kAlterQuestion +
                       kDeleted + kAddNew + adding_pass(kGama, kNotAddedLine) +
                       "\nA entrada original foi mantida.\n" + continuation_screen() + menu_screen() +
                       kNothingToReport);
  EXPECT_EQ(dir.read("citas.txt"), store_);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(ReplaceTest, NothingSelectedWorksAsAPlainAddition) {
  Outcome r = run("4\nzzz\n1\nN\n\ns\n" + kTypeGama + "S\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kEditPrompts + kNoEntry + kRule + kAlterQuestion +
                       kNotInStore + kAddNew + adding_pass(kGama, kAddedLine) +
                       continuation_screen());
  // Nothing was deleted, so nothing was rewritten: the new entry is appended, and there
  // is no original to keep.
  EXPECT_EQ(dir.read("citas.txt"), added_layout({kAlfa, kBeta, kGama}));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(ReplaceTest, AnEmptyStoreStaysEmptyWhenNothingIsSelectedOrAdded) {
  const std::string empty;
  reset(dir, &empty);
  Outcome r = run("4\nzzz\n1\nN\n\ns\n" + kTypeGama + "n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kEditPrompts + kNoEntry + kRule + kAlterQuestion +
                       kNotInStore + kAddNew + adding_pass(kGama, kNotAddedLine) +
                       continuation_screen());
  // A deletion that finds nothing writes nothing, not even a header.
  EXPECT_EQ(dir.read("citas.txt"), empty);
}

TEST_F(ReplaceTest, NoAtTheQuestionChangesNothing) {
  Outcome r = run("4\nAlfa\n1\nN\n\nn\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kEditPrompts + shown(kAlfa, false) + kAlterQuestion +
                       kNotAltered + continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), store_);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
