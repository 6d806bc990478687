// End-to-end: the main menu loop, the count, the credits and the orderly end.
#include "screens.h"
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
  EXPECT_EQ(r.out, menu_screen() + count_line(3) + menu_screen());
  EXPECT_EQ(dir.read("tempcopy.dat"), kThreeEntries);
  EXPECT_EQ(dir.read("citas.txt"), kThreeEntries);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

/// The main menu shown `times` times in a row.
std::string menus(int times) {
  std::string screens;
  for (int i = 0; i < times; ++i) screens += menu_screen();
  return screens;
}

TEST_F(MenuTest, AnswersThatSelectNothingShowTheMenuAgain) {
  // Out of range, clamped rather than wrapped to an option, or no number at all (its
  // line is dropped whole); a second number on the answer line is discarded.
  const std::string answers[] = {"12", "-3", "abc 9", "- 9", "+", "99999999999",
                                 "-99999999999", "4294967297", "-4294967296",
                                 "18446744073709551617", "12 9"};
  std::string input;
  for (const auto& a : answers) input += a + "\n";
  Outcome r = run(input + "0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menus(12));
  EXPECT_EQ(dir.listing(), "");
}

TEST_F(MenuTest, SignedAnswersAreNumbers) {
  // +5 opens the history (nothing to report), +10 the credits, " -0" ends the program.
  dir.write("citas.txt", kThreeEntries);
  Outcome r = run("+5\n\n1\n+10\n\n -0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kNothingToReport + menu_screen() + kCredits + menu_screen());
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(MenuTest, CreditsWaitForEnterAndReturnToTheMenu) {
  Outcome r = run("10\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kCredits + menu_screen());
  EXPECT_EQ(dir.listing(), "");
}

}  // namespace
}  // namespace talvo_test
