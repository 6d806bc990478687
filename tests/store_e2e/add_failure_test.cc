// End-to-end: an append that cannot be made ends the program without announcing success.
#include "adding.h"

namespace talvo_test {
namespace {

const std::string kStore = kHeader + "\n\"Um.\"\nA\n";
const std::string kOldCopy = kHeader + "\n\n\"Antiga.\"\nZ";

class AddFailureTest : public SessionTest {
 protected:
  /// Adds "Dois." by B over kStore and an old safety copy, with failures injected.
  Outcome add_failing(const std::string& variable) {
    dir.write("citas.txt", kStore);
    dir.write("tempcopy.dat", kOldCopy);
    return run("1\n" + typed("\"Dois.\"", "B", "S") + "\n0\n",
               {{"LD_PRELOAD", fail_io_library()}, {variable, "citas.txt"}});
  }
};

TEST_F(AddFailureTest, FailedWriteIsFatalAndNothingIsJournalled) {
  Outcome r = add_failing("TALVO_FAIL_WRITE");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Dois.\"", "B", kAppendFailedLine));
  EXPECT_EQ(dir.read("citas.txt"), kStore);
  EXPECT_EQ(dir.read("tempcopy.dat"), kOldCopy);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(AddFailureTest, FailedSyncIsFatalAndNothingIsJournalled) {
  Outcome r = add_failing("TALVO_FAIL_FSYNC");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Dois.\"", "B", kAppendFailedLine));
  EXPECT_EQ(dir.read("tempcopy.dat"), kOldCopy);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(AddFailureTest, StoreThatCannotBeOpenedForAppendingIsFatal) {
  // A directory named like the store opens for reading but not for appending.
  ASSERT_EQ(std::system(("mkdir '" + dir.data() + "/citas.txt'").c_str()), 0);
  Outcome r = run("1\n" + typed("\"Dois.\"", "B", "S") + "\n0\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, menu_screen() + add_questions() + confirmation("\"Dois.\"", "B") +
                       "Erro: Impossibilidade em abrir o ficheiro\n");
  EXPECT_EQ(dir.listing(), "citas.txt");
}

}  // namespace
}  // namespace talvo_test
