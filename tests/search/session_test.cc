// End-to-end: a whole run that adds three entries, lists them, deletes one, lists again.
#include "search_screens.h"

namespace talvo_test {
namespace {

class AddListDeleteTest : public SessionTest {};

TEST_F(AddListDeleteTest, AddThreeListDeleteTheSecondListAgain) {
  const Entry um{"\"Um.\"", "A"}, dois{"\"Dois.\"", "B"}, tres{"\"Três.\""_cp, "C"};
  Outcome r = run(
      "1\n\"Um.\"\nA\nS\n\n1\n\"Dois.\"\nB\nS\n\n1\n\"Tr\x88s.\"\nC\nS\n\n2\n"  // add three
      "2\n\"\nN\n\n2\n"                                                        // list all
      "3\n\"\n2\nN\n\ns\n\n2\n"                                                // delete the 2nd
      "2\n\"\nN\n\n0\n");                                                      // list again
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass(um, kAddedLine) + continuation_screen() +
                       adding_pass(dois, kAddedLine) + continuation_screen() +
                       adding_pass(tres, kAddedLine) + continuation_screen() + menu_screen() +
                       kListPrompts + listing({um, dois, tres}) + continuation_screen() +
                       menu_screen() + kEditPrompts + shown(dois, false) + kEraseQuestion +
                       kDeleted + continuation_screen() + menu_screen() + kListPrompts +
                       listing({um, tres}) + continuation_screen());
  const std::string three = "\n\"Tr\xEAs.\"\nC";  // ISO-8859-1 in the files
  // The second entry's bytes and the empty line before them go; the copy is the store.
  const std::string left = kHeader + "\n\"Um.\"\nA\n" + three + "\n";
  EXPECT_EQ(dir.read("citas.txt"), left);
  EXPECT_EQ(dir.read("tempcopy.dat"), left);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
