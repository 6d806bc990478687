// End-to-end: main menu 11, showing the N-th match of a search.
#include "search_screens.h"

namespace talvo_test {
namespace {

const Entry kUpper{"\"O AMOR vence.\"", "Ana"}, kNone{"\"Nada disso.\"", "Bia"},
    kLower{"\"Um amor antigo.\"", "Caio"};

class SelectionTest : public SessionTest {
 protected:
  void SetUp() override { dir.write("citas.txt", store_); }

  /// Runs menu 11 with these three answer lines, a letter for the wait and 0 at the
  /// continuation prompt; checks the run and that the store is unchanged, and returns
  /// what was printed between the prompts and the continuation prompt.
  std::string look(const std::string& answers) {
    Outcome r = run("11\n" + answers + "w0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("citas.txt"), store_);
    std::string head = menu_screen() + kLookPrompts, tail = continuation_screen();
    if (r.out.size() < head.size() + tail.size() || r.out.compare(0, head.size(), head) != 0 ||
        r.out.compare(r.out.size() - tail.size(), tail.size(), tail) != 0)
      return "unexpected frame: " + r.out;
    return r.out.substr(head.size(), r.out.size() - head.size() - tail.size());
  }

  const std::string store_ = added_layout({kUpper, kNone, kLower});
};

TEST_F(SelectionTest, WhichMatchIsShown) {
  // Exact search: one match, under "Entrada:".
  EXPECT_EQ(look("amor\n1\nN\n"), shown(kLower, false));
  // Ignoring case: two matches in store order, under "Resultado:", in their stored case.
  EXPECT_EQ(look("amor\n1\nS\n"), shown(kUpper, true));
  EXPECT_EQ(look("AMOR\n2\ns\n"), shown(kLower, true));
  // No third match, and N below 1 selects nothing although there are matches.
  EXPECT_EQ(look("amor\n3\nS\n"), kNoEntry + kRule);
  EXPECT_EQ(look("amor\n0\nS\n"), kNoEntry + kRule);
  EXPECT_EQ(look("amor\n-2\nS\n"), kNoEntry + kRule);
  EXPECT_EQ(look("zzz\n1\nN\n"), kNoEntry + kRule);
}

TEST_F(SelectionTest, AnNThatIsNoNumberSelectsNothingAndItsLineIsDropped) {
  // The case answer then comes from the next line; the discard after it takes "1", so
  // the wait takes the letter and 0 ends the run. Were "abc" left in the input, "a"
  // would be the case answer and the "1" left would repeat the dialogue.
  EXPECT_EQ(look("amor\nabc\nS1\n"), kNoEntry + kRule);
  EXPECT_EQ(look("amor\n+\nS\n"), kNoEntry + kRule);
}

TEST_F(SelectionTest, AMissingStoreIsCreatedHoldingOnlyItsHeader) {
  reset(dir, nullptr);
  Outcome r = run("11\namor\n1\nN\nw0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kLookPrompts + kNoEntry + kRule + continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader);
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
