// End-to-end: restoring the store from the backup copy (menu 7) or the safety copy (menu 8).
#include "entries.h"
#include "layouts.h"
#include "screens.h"

namespace talvo_test {
namespace {

/// The stamp of a backup made earlier, and a store that differs from every copy.
const std::string kStamp = "Mon Jan  5 10:00:00 2026";
const std::string kOtherStore = added_layout(in_files({kCantar}));

/// Each test runs the real program in its own scratch directory.
class RestoreTest : public SessionTest {
 protected:
  /// The restore, then the backup dialogue that follows it, declined.
  std::string restored_then_declined() {
    return kRestored + backup_question(kStamp) + kCopyCancelled + menu_screen();
  }
  /// Every test starts with a stamp of an earlier backup.
  void SetUp() override { dir.write("auxy.dat", kStamp + "\n\n"); }
};

TEST_F(RestoreTest, NoSourceReturnsToTheMenuAtOnce) {
  dir.write("citas.txt", kOtherStore);
  // Whatever the answer, nothing more is read: the 9 right after it is the next menu answer.
  Outcome r = run("8\nS9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskSafety + kNoSource + menu_screen() + count_screen(1));
  r = run("7\nn9\n\n7\nS9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskBackup + kNoSource + menu_screen() + count_screen(1) + kAskBackup +
                       kNoSource + menu_screen() + count_screen(1));
  EXPECT_EQ(dir.read("citas.txt"), kOtherStore);
}

TEST_F(RestoreTest, DecliningWaitsForOneCharacterAndChangesNothing) {
  dir.write("citas.txt", kOtherStore);
  dir.write("copy.dat", copy_layout(in_files({kAmar})));
  // "n": the one read after the message takes x. A bare Enter: it takes y.
  Outcome r = run("7\nnx0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskBackup + kNotRestored + menu_screen());
  r = run("7\n\ny0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskBackup + kNotRestored + menu_screen());
  r = run("8\nnz0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskSafety + kNotRestored + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kOtherStore);
  EXPECT_EQ(dir.read("copy.dat"), copy_layout(in_files({kAmar})));
}

TEST_F(RestoreTest, BackupCopyTakesTheStoresPlaceAndStaysForTheNextRestore) {
  const std::string copy = copy_layout(in_files({kAmar, kBeber}));
  dir.write("citas.txt", kOtherStore);
  dir.write("copy.dat", copy);
  // Restore, decline the new backup, count, then restore again: the copy is still there.
  Outcome r = run("7\nS\nn\n\n9\n\n7\nS\nn\n\n9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskBackup + restored_then_declined() + count_screen(2) + kAskBackup +
                       restored_then_declined() + count_screen(2));
  // The store is the copy byte for byte, and the copy is left where it was.
  EXPECT_EQ(dir.read("citas.txt"), copy);
  EXPECT_EQ(dir.read("copy.dat"), copy);
  EXPECT_EQ(dir.read("tempcopy.dat"), copy);
  EXPECT_EQ(dir.read("auxy.dat"), kStamp + "\n\n");
  EXPECT_EQ(dir.listing(), "auxy.dat citas.txt copy.dat tempcopy.dat");
}

TEST_F(RestoreTest, BackupCopyBecomesTheStoreWhenThereIsNone) {
  dir.write("copy.dat", copy_layout(in_files({kBeber})));
  Outcome r = run("7\nS\nn\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskBackup + restored_then_declined());
  EXPECT_EQ(dir.read("citas.txt"), copy_layout(in_files({kBeber})));
  EXPECT_EQ(dir.read("copy.dat"), copy_layout(in_files({kBeber})));
  EXPECT_EQ(dir.listing(), "auxy.dat citas.txt copy.dat tempcopy.dat");
}

TEST_F(RestoreTest, SafetyCopyOfTheLastCleanEndComesBackAndStays) {
  const std::string store = added_layout(in_files({kAmar, kBeber}));
  dir.write("citas.txt", store);
  EXPECT_EQ(run("0\n").status, 0);
  ASSERT_EQ(dir.read("tempcopy.dat"), store);

  // Restored twice: the first restore leaves the safety copy for the second.
  dir.write("citas.txt", kOtherStore);
  Outcome r = run("8\nS\nn\n\n9\n\n8\nS\nn\n\n9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskSafety + restored_then_declined() + count_screen(2) + kAskSafety +
                       restored_then_declined() + count_screen(2));
  EXPECT_EQ(dir.read("citas.txt"), store);
  EXPECT_EQ(dir.read("tempcopy.dat"), store);
}

TEST_F(RestoreTest, FailedRenameKeepsStoreAndSource) {
  dir.write("citas.txt", kOtherStore);
  dir.write("copy.dat", copy_layout(in_files({kAmar})));
  // One read after the message (x), no success and no backup dialogue.
  Outcome r = run("7\nSx0\n", {{"LD_PRELOAD", fail_io_library()}, {"TALVO_FAIL_RENAME", "citas.txt"}});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskBackup + "\n\nErro: O ficheiro citas.txt não pode ser alterado.\n\n"_cp +
                       menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kOtherStore);
  EXPECT_EQ(dir.read("copy.dat"), copy_layout(in_files({kAmar})));
}

TEST_F(RestoreTest, BackupDeleteRestoreGivesBackTheCopiedEntries) {
  // Add two entries, back them up, delete one, restore the backup, count.
  Outcome r = run(add_input(kAmar) + add_input(kBeber) + "6\nS\n\n" + erase_input("Amar") + "7\nS\nn\n\n" +
                  "9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  std::string stamp = dir.read("auxy.dat").value_or("");
  ASSERT_EQ(stamp.size(), 26u);
  EXPECT_EQ(r.out, menu_screen() + add_screens(kAmar) + add_screens(kBeber) + backup_question(kStamp) +
                       kCopyMade + menu_screen() + erase_screens(kAmar) + kAskBackup + kRestored +
                       backup_question(stamp.substr(0, 24)) + kCopyCancelled + menu_screen() + count_screen(2));
  // The copy, the restored store and the safety copy all hold the store of the backup.
  const std::string copied = added_layout(in_files({kAmar, kBeber}));
  EXPECT_EQ(dir.read("copy.dat"), copied);
  EXPECT_EQ(dir.read("citas.txt"), copied);
  EXPECT_EQ(dir.read("tempcopy.dat"), copied);
  EXPECT_EQ(dir.listing(), "auxy.dat citas.txt copy.dat tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
