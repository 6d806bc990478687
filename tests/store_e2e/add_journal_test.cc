// End-to-end: an entry deleted and added again in one run ends in the added list only.
#include "adding.h"

namespace talvo_test {
namespace {

class AddJournalTest : public SessionTest {};

/// Main menu 3 deleting the first entry that holds `search` (letter case kept).
std::string deleting(const std::string& search) {
  return "3\n" + search + "\n1\nn\n\nS\n\n2\n";
}

/// What that deletion prints when it finds and removes `quote` by `author`.
std::string deletion_screens(const std::string& quote, const std::string& author) {
  return kEditPrompts + shown({quote, author}, false) + kEraseQuestion + kDeleted +
         continuation_screen();
}

TEST_F(AddJournalTest, AddingADeletedEntryStrikesItFromTheDeletedList) {
  dir.write("citas.txt", added_layout({{"\"Um.\"", "A"}, {"\"Dois.\"", "B"}}));
  Outcome r = run(deleting("Um") + "1\n" + typed("\"Um.\"", "A", "S") + "\n2\n5\n\n0\n");
  EXPECT_EQ(r.status, 0);
  // Only the added list is reported: the deleted one is empty and its counter back at 0.
  EXPECT_EQ(r.out, menu_screen() + deletion_screens("\"Um.\"", "A") + menu_screen() +
                       adding_pass("\"Um.\"", "A", kAddedLine) + continuation_screen() +
                       menu_screen() + kHistoryTitle + added_list({{"\"Um.\"", "A"}}) + "\n" +
                       kCls + kHistoryMenu);
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\n\"Dois.\"\nB\n\n\"Um.\"\nA\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), copy_layout({{"\"Dois.\"", "B"}, {"\"Um.\"", "A"}}));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
