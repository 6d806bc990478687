// End-to-end: the main menu loop, the count, the credits and the orderly end.
#include "session.h"

namespace talvo_test {
namespace {

const std::string kThreeEntries = kHeader +
                                  "\n\"Um.\"\nA\n"
                                  "\n\"Dois.\"\nB\n"
                                  "\n\"Tr\xEAs.\"\nC\n";

class MenuTest : public SessionTest {};

TEST_F(MenuTest, CountThenCleanEndWritesTheSafetyCopy) {
  dir.write("citas.txt", kThreeEntries);
  Outcome r = run("9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + "\nExistem em memória 3 citações.\n"_cp + menu_screen());
  EXPECT_EQ(dir.read("tempcopy.dat"),
            kHeader + "\n\n\"Um.\"\nA\n\n\"Dois.\"\nB\n\n\"Tr\xEAs.\"\nC");
  EXPECT_EQ(dir.read("citas.txt"), kThreeEntries);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
