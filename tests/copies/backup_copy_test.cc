// End-to-end: the backup copy dialogue, its stamp, its answer reads and the copy it writes.
#include <optional>
#include <regex>

#include "entries.h"
#include "layouts.h"
#include "screens.h"

namespace talvo_test {
namespace {

/// The stamp file: a 24-character local time, its newline and an empty line.
bool is_stamp(const std::string& bytes) {
  static const std::regex shape(
      "(Sun|Mon|Tue|Wed|Thu|Fri|Sat) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
      "[ 123][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\n\n");
  return bytes.size() == 26 && std::regex_match(bytes, shape);
}

/// Each test runs the real program in its own scratch directory.
class BackupCopyTest : public SessionTest {
 protected:
  /// Makes a backup copy from the main menu and ends; the copy must be announced.
  void make_copy_expecting(const std::string& copy) {
    Outcome r = run("6\nS\n\n0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, menu_screen() + backup_question("Nunca") + kCopyMade + menu_screen());
    EXPECT_EQ(dir.read("copy.dat"), copy);
    dir.write("auxy.dat", "");  // the next question shows "Nunca" again
  }
};

TEST_F(BackupCopyTest, StampIsWrittenAndShownOnTheNextRun) {
  dir.write("citas.txt", added_layout(in_files({kAmar, kBeber})));
  Outcome r = run("6\nS\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + backup_question("Nunca") + kCopyMade + menu_screen());
  std::string stamp = dir.read("auxy.dat").value_or("");
  EXPECT_TRUE(is_stamp(stamp)) << stamp;
  EXPECT_EQ(dir.read("copy.dat"), added_layout(in_files({kAmar, kBeber})));

  // Declining shows the 24 characters of the stamp and writes nothing.
  r = run("6\nn\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + backup_question(stamp.substr(0, 24)) + kCopyCancelled + menu_screen());
  EXPECT_EQ(dir.read("auxy.dat"), stamp);
  EXPECT_EQ(dir.read("copy.dat"), added_layout(in_files({kAmar, kBeber})));
  EXPECT_EQ(dir.listing(), "auxy.dat citas.txt copy.dat tempcopy.dat");
}

TEST_F(BackupCopyTest, DateTextOfStampFilesWithNoDate) {
  const std::string forty = "0123456789abcdefghijABCDEFGHIJ0123456789";
  const std::pair<std::string, std::string> cases[] = {
      {"", "Nunca"}, {"\nMon Jan  5 10:00:00 2026\n", "Nunca"}, {forty + "\n\n", forty.substr(0, 29)}};
  for (const auto& [stamp, shown] : cases) {
    dir.write("auxy.dat", stamp);
    Outcome r = run("6\nn\n\n0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, menu_screen() + backup_question(shown) + kCopyCancelled + menu_screen()) << shown;
    EXPECT_EQ(dir.read("auxy.dat"), stamp);
    EXPECT_FALSE(dir.exists("copy.dat"));
  }
}

TEST_F(BackupCopyTest, AnswerReadsTakeExactlyTheirCharacters) {
  dir.write("citas.txt", added_layout(in_files({kCantar})));
  // A bare Enter cancels; the two reads after it wait for a and b.
  Outcome r = run("6\n\nab0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + backup_question("Nunca") + kCopyCancelled + menu_screen());
  EXPECT_FALSE(dir.exists("auxy.dat"));
  EXPECT_FALSE(dir.exists("copy.dat"));

  // "S" and two more characters: the reads take x and y, and the menu comes back at once.
  r = run("6\nSxy\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + backup_question("Nunca") + kCopyMade + menu_screen());
  EXPECT_EQ(dir.read("copy.dat"), added_layout(in_files({kCantar})));
}

TEST_F(BackupCopyTest, CopyIsTheStoreByteForByteWhateverItsLayout) {
  const std::vector<Entry> three = in_files({kAmar, kBeber, kCantar});
  dir.write("citas.txt", added_layout(three));
  make_copy_expecting(added_layout(three));
  dir.write("citas.txt", rewritten_layout(three));
  make_copy_expecting(rewritten_layout(three));

  // Restore the copy, then take the backup offered after it, of the restored store.
  dir.write("citas.txt", kHeader + "\n");
  Outcome r = run("7\nS\nS\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kAskBackup + kRestored + backup_question("Nunca") + kCopyMade + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), rewritten_layout(three));
  EXPECT_EQ(dir.read("copy.dat"), rewritten_layout(three));
}

TEST_F(BackupCopyTest, CopyKeepsEvenTheBytesTheRecordReaderCannotRead) {
  const std::string stores[] = {
      kHeader,
      "",  // an empty store gives an empty copy: nothing is added to it
      // "%" cuts the quotation for the record reader; the copy keeps the line as it is.
      kHeader + "\n\"Cem % certo.\"\nAutor Um\n" + "\n" + kCantar.fquote + "\nCarla\n",
      // A last quotation with neither its closing quote nor an author, a NUL and 0xFF.
      kHeader + "\n" + kCantar.fquote + "\nCarla\n\n\"Sem fim " + std::string(1, '\0') + "\xFF",
  };
  for (const std::string& store : stores) {
    dir.write("citas.txt", store);
    make_copy_expecting(store);
  }
}

TEST_F(BackupCopyTest, MissingStoreIsFatalAndLeavesTheOldCopyAndStamp) {
  // No copy was written: the stamp keeps the date it held, or stays absent.
  const std::pair<std::optional<std::string>, std::string> stamps[] = {
      {std::nullopt, "Nunca"}, {"Mon Jan  5 10:00:00 2026\n\n", "Mon Jan  5 10:00:00 2026"}};
  for (const auto& [stamp, shown] : stamps) {
    dir.write("copy.dat", "old copy");
    if (stamp) dir.write("auxy.dat", *stamp);
    Outcome r = run("6\nS\n\n0\n");
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out, menu_screen() + backup_question(shown) + kPreparing +
                         "\nErro: Impossibilidade em abrir o ficheiro\n");
    EXPECT_EQ(dir.read("copy.dat"), "old copy");
    EXPECT_EQ(dir.read("auxy.dat"), stamp) << shown;
    EXPECT_EQ(dir.listing(), stamp ? "auxy.dat copy.dat" : "copy.dat");
  }
}

TEST_F(BackupCopyTest, FailedWriteKeepsTheOldCopyAndRecordsNoDate) {
  dir.write("citas.txt", added_layout(in_files({kAmar})));
  dir.write("copy.dat", "old copy");
  dir.write("tempcopy.dat", "old safety copy");
  Outcome r = run("6\nS\n\n0\n", {{"LD_PRELOAD", fail_io_library()}, {"TALVO_FAIL_WRITE", "tempcopy.tmp"}});
  EXPECT_EQ(r.status, 0);
  const std::string start = menu_screen() + backup_question("Nunca") + kPreparing + "\n\nA fazer cópia."_cp;
  EXPECT_EQ(r.out.substr(0, start.size()), start);
  std::string report = r.out.substr(start.size());
  EXPECT_EQ(report.find("Cópia criada!"_cp), std::string::npos) << report;
  EXPECT_NE(report.find("Erro"), std::string::npos) << report;
  // The safety copy of the clean end fails the same way and keeps the old one.
  const std::string end = menu_screen() + "ERRO: Incapaz de remover o ficheiro de backup temporario";
  ASSERT_GE(r.out.size(), end.size());
  EXPECT_EQ(r.out.substr(r.out.size() - end.size()), end);
  EXPECT_EQ(dir.read("copy.dat"), "old copy");
  EXPECT_EQ(dir.read("tempcopy.dat"), "old safety copy");
  // No copy was written whole, so no date of one is recorded.
  EXPECT_EQ(dir.listing(), "citas.txt copy.dat tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
