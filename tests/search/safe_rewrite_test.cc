// End-to-end: a deletion whose store rewrite cannot be made leaves the store as it was.
#include <sys/stat.h>

#include "search_screens.h"

namespace talvo_test {
namespace {

const Entry kAlfa{"\"Alfa.\"", "Aa"}, kBeta{"\"Beta.\"", "Bb"};

class SafeRewriteTest : public SessionTest {
 protected:
  void SetUp() override { dir.write("citas.txt", store_); }
  /// The deletion of Alfa up to the answer to its question.
  static std::string asked() {
    return menu_screen() + kEditPrompts + shown(kAlfa, false) + kEraseQuestion;
  }
  const std::string store_ = added_layout({kAlfa, kBeta});
};

TEST_F(SafeRewriteTest, ARewriteFileThatCannotBeCreatedIsFatal) {
  ASSERT_EQ(mkdir((dir.data() + "/tempy.txt").c_str(), 0755), 0);
  Outcome r = run("3\nAlfa\n1\nN\n\ns\n\n0\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, asked() + "\nErro: Impossibilidade em abrir o ficheiro\n");
  EXPECT_EQ(dir.read("citas.txt"), store_);
  // A fatal end writes no safety copy and leaves no journal.
  EXPECT_EQ(dir.listing(), "citas.txt tempy.txt");
}

TEST_F(SafeRewriteTest, AFailedWriteSyncOrRenameKeepsTheStoreAndJournalsNothing) {
  const std::map<std::string, std::string> failures[] = {
      {{"TALVO_FAIL_WRITE", "tempy.txt"}},
      {{"TALVO_FAIL_FSYNC", "tempy.txt"}},
      {{"TALVO_FAIL_RENAME", "citas.txt"}},
  };
  for (const auto& failure : failures) {
    reset(dir, &store_);
    auto env = failure;
    env["LD_PRELOAD"] = fail_io_library();
    // After the deletion, the history of the run must have nothing to report.
    Outcome r = run("3\nAlfa\n1\nN\n\ns\n\n2\n5\n\n0\n", env);
    const std::string which = failure.begin()->first;
    EXPECT_EQ(r.status, 0) << which;
    EXPECT_EQ(r.out, asked() + "\n\nErro: O ficheiro citas.txt não pode ser alterado.\n\n"_cp +
                         continuation_screen() + menu_screen() + kNothingToReport)
        << which;
    EXPECT_EQ(dir.read("citas.txt"), store_) << which;
    EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat") << which;
  }
}

}  // namespace
}  // namespace talvo_test
