// End-to-end: the safety copy written at a clean end, a byte-for-byte copy of the store.
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

TEST_F(CleanEndTest, SafetyCopyIsTheStoreByteForByteWhateverItsLayout) {
  const std::string stores[] = {
      kHeader + "\n\"Um.\"\nA\n\n\"Dois,\ntr\xEAs.\"\nB\n",
      kHeader + "\n\n\"Um.\"\nA\n\n\"Dois,\ntr\xEAs.\"\nB\n",
      kHeader + "\n\n\"Um.\"\nA\n\n\"Dois,\ntr\xEAs.\"\nB",
      // Blanks before the first line, another first line, no first line at all.
      "\n  T\xEDtulo  \n\"Um.\"\nA\n",
      "\"Um.\"\nA\n\n\"Dois.\"\nB\n",
  };
  for (const std::string& store : stores) EXPECT_EQ(copy_of(store), store);
}

TEST_F(CleanEndTest, SafetyCopyKeepsWhatTheRecordReaderCannotRead) {
  const std::string author(300, 'x');
  const std::string stores[] = {
      // Cut at the per-cent sign by the record reader.
      kHeader + "\n\"Dei 100% de mim.\"\nEu\n\n\"Um.\"\nA\n",
      // A quotation with no author line after it, then one with no closing quote.
      kHeader + "\n\"Um.\"\nA\n\n\"Fim.\"",
      kHeader + "\n\"Um.\"\nA\n\n\"Sem fim",
      // An author line longer than any field, a NUL and a 0xFF byte.
      kHeader + "\n\"Um.\"\n" + author + "\n" + std::string(1, '\0') + "\xFF\n",
  };
  for (const std::string& store : stores) EXPECT_EQ(copy_of(store), store);
}

TEST_F(CleanEndTest, AStoreWithNoFirstLineIsCopiedAsItIs) {
  EXPECT_EQ(copy_of(""), "");
  EXPECT_EQ(copy_of("\n \n\t\n"), "\n \n\t\n");
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
