// End-to-end: an entry deleted and added again in one run ends in the added list only.
#include "entries.h"

namespace talvo_test {
namespace {

class AddJournalTest : public SessionTest {};

TEST_F(AddJournalTest, AddingADeletedEntryStrikesItFromTheDeletedList) {
  const TypedEntry um = plain("\"Um.\"", "A");
  dir.write("citas.txt", added_layout({{"\"Um.\"", "A"}, {"\"Dois.\"", "B"}}));
  Outcome r = run(erase_input("Um") + add_input(um) + "5\n\n0\n");
  EXPECT_EQ(r.status, 0);
  // Only the added list is reported: the deleted one is empty and its counter back at 0.
  EXPECT_EQ(r.out, menu_screen() + erase_screens(um) + add_screens(um) + kHistoryTitle +
                       added_list({{"\"Um.\"", "A"}}) + "\n" + kCls + kHistoryMenu);
  // The deletion took the first entry and the empty line after it; the addition appended.
  const std::string store = added_layout({{"\"Dois.\"", "B"}, {"\"Um.\"", "A"}});
  EXPECT_EQ(dir.read("citas.txt"), store);
  EXPECT_EQ(dir.read("tempcopy.dat"), store);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
