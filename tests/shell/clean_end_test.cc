// End-to-end: the safety copy written at a clean end, record by record.
#include "session.h"

namespace talvo_test {
namespace {

class CleanEndTest : public SessionTest {
 protected:
  /// Ends at once over a store holding `store`; checks the store is untouched and that
  /// only the store and the safety copy remain. Returns the safety copy.
  std::string copy_of(const std::string& store) {
    dir.write("citas.txt", store);
    dir.write("added.dat", "\n\"Velha.\"\nX\n");
    Outcome r = run("0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, menu_screen());
    EXPECT_EQ(dir.read("citas.txt"), store);
    EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
    return dir.read("tempcopy.dat").value_or("(none)");
  }
};

TEST_F(CleanEndTest, SafetyCopyHasTheCopyLayoutWhateverTheStoreLayout) {
  const std::string entries = "\n\n\"Um.\"\nA\n\n\"Dois,\ntr\xEAs.\"\nB";
  EXPECT_EQ(copy_of(kHeader + "\n\"Um.\"\nA\n\n\"Dois,\ntr\xEAs.\"\nB\n"), kHeader + entries);
  EXPECT_EQ(copy_of(kHeader + "\n\n\"Um.\"\nA\n\n\"Dois,\ntr\xEAs.\"\nB\n"), kHeader + entries);
  EXPECT_EQ(copy_of(kHeader + entries), kHeader + entries);
  // The first line is read after blanks and newlines, and kept whatever it holds.
  EXPECT_EQ(copy_of("\n  T\xEDtulo  \n\"Um.\"\nA\n"), "T\xEDtulo  \n\n\"Um.\"\nA");
  EXPECT_EQ(copy_of("\"Um.\"\nA\n\n\"Dois.\"\nB\n"), "\"Um.\"\n\n\"Dois.\"\nB");
}

TEST_F(CleanEndTest, SafetyCopyHoldsEntriesAsTheRecordReaderReadsThem) {
  // Cut at the per-cent sign: the author is the rest of that line; the true author
  // line is walked over.
  EXPECT_EQ(copy_of(kHeader + "\n\"Dei 100% de mim.\"\nEu\n\n\"Um.\"\nA\n"),
            kHeader + "\n\n\"Dei 100\"\nde mim.\"\n\n\"Um.\"\nA");
  // A quotation with no author line after it ends the copy.
  EXPECT_EQ(copy_of(kHeader + "\n\"Um.\"\nA\n\n\"Fim.\""), kHeader + "\n\n\"Um.\"\nA");
  // Author lines are copied whole, however long.
  const std::string author(300, 'x');
  EXPECT_EQ(copy_of(kHeader + "\n\"Um.\"\n" + author + "\n"), kHeader + "\n\n\"Um.\"\n" + author);
}

TEST_F(CleanEndTest, StoreWithNoFirstLineGivesTheHeaderAlone) {
  EXPECT_EQ(copy_of(""), kHeader);
  EXPECT_EQ(copy_of("\n \n\t\n"), kHeader);
}

TEST_F(CleanEndTest, FailedRenameKeepsTheOldSafetyCopy) {
  const std::string old_copy = kHeader + "\n\n\"Antiga.\"\nZ";
  dir.write("citas.txt", kHeader + "\n\"Um.\"\nA\n");
  dir.write("tempcopy.dat", old_copy);
  Outcome r = run("0\n", {{"LD_PRELOAD", fail_io_library()}, {"TALVO_FAIL_RENAME", "tempcopy.dat"}});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + "ERRO: Incapaz de remover o ficheiro de backup temporario");
  EXPECT_EQ(dir.read("tempcopy.dat"), old_copy);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
