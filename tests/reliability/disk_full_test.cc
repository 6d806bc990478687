// A full disk or a failing sync or rename in the middle of each kind of write: every file
// that the failing step was to replace or extend keeps its bytes, no scratch file stays,
// and the program says what failed. The files are compared while the program still runs,
// right after its message, and again after it has ended.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "big_store.h"
#include "layouts.h"
#include "live_session.h"
#include "screens.h"
#include "session.h"

namespace {

using reliability::Entry;

/// The entries of the store, of an older safety copy and of a backup copy.
const std::vector<Entry> kStore = reliability::numbered_entries(3, "para o disco cheio");
const std::vector<Entry> kOlderCopy = {kStore[0]};
const std::vector<Entry> kBackup = {kStore[0], kStore[1]};
/// The entry the sessions add, in the file code page, and as typed in the console code page.
const Entry kAdded = {"\"Nova cita\xE7\xE3o.\"", "Autor novo"};
const std::string kAddTyped = "1\n\"Nova citação.\"\nAutor novo\nS\n"_cp;
/// A second entry to add.
const Entry kOther = {"\"Outra cita\xE7\xE3o.\"", "Outro autor"};
const std::string kOtherTyped = "1\n\"Outra citação.\"\nOutro autor\nS\n"_cp;

/// One step of a session: what is typed, what the program then shows, and the files that
/// must hold the same bytes as just before the step.
struct Step {
  std::string typed;
  std::string shown;
  std::vector<std::string> unchanged;
};

/// A failure and a session that meets it.
struct FailureCase {
  std::string name;
  std::map<std::string, std::string> failure;  // TALVO_FAIL_* variables
  std::vector<Step> steps;
  std::string rest;  // typed after the steps, to the end
  int status;
  std::map<std::string, std::optional<std::string>> at_end;  // expected bytes, or no file
  /// Success messages that must not appear.
  std::vector<std::string> never_shown = {"com sucesso", "Ficheiro recuperado!", "Cópia criada!"_cp};
};

const std::vector<std::string> kScratchFiles = {"tempy.txt", "temph.txt", "tempcopy.tmp"};
const std::vector<std::string> kJournals = {"added.dat", "deleted.dat"};

std::string rewrite_failed(const char* name) {
  return std::string("\n\nErro: O ficheiro ") + name + " não pode ser alterado.\n\n"_cp;
}
const std::string kCopyFailed = "ERRO: Incapaz de remover o ficheiro de backup temporario";
const std::string kDeleteTyped = "3\n" + reliability::search_for(1) + "\n1\nN\n\nS\n";

/// The files of every case before its session: a store, a safety copy and a backup copy.
const std::string kStoreBytes = talvo_test::added_layout(kStore);
const std::string kOlderCopyBytes = talvo_test::copy_layout(kOlderCopy);
const std::string kBackupBytes = talvo_test::copy_layout(kBackup);
/// The safety copy of the unchanged store, as a clean end writes it: the store itself.
const std::string kStoreCopy = kStoreBytes;

std::vector<FailureCase> cases() {
  const std::vector<std::string> all = {"citas.txt", "tempcopy.dat", "copy.dat"};
  const std::map<std::string, std::optional<std::string>> untouched = {
      {"citas.txt", kStoreBytes}, {"tempcopy.dat", kOlderCopyBytes}, {"copy.dat", kBackupBytes}};
  const std::map<std::string, std::optional<std::string>> store_kept_copy_renewed = {
      {"citas.txt", kStoreBytes}, {"tempcopy.dat", kStoreCopy}, {"copy.dat", kBackupBytes}};

  std::vector<FailureCase> list;
  // Appending to the store: the designed write failure, a fatal end.
  for (auto [name, variable] : {std::pair{"AddWithWriteFailing", "TALVO_FAIL_WRITE"},
                                std::pair{"AddWithSyncFailing", "TALVO_FAIL_FSYNC"}})
    list.push_back({name,
                    {{variable, "citas.txt"}},
                    {{kAddTyped, talvo_test::kAppendFailedLine, all}},
                    "",
                    255,
                    untouched});
  // Rewriting the store for a deletion; the session then ends cleanly.
  for (auto [name, variable, file] : {std::tuple{"DeletionWithWriteFailing", "TALVO_FAIL_WRITE", "tempy.txt"},
                                      std::tuple{"DeletionWithSyncFailing", "TALVO_FAIL_FSYNC", "tempy.txt"},
                                      std::tuple{"DeletionWithRenameFailing", "TALVO_FAIL_RENAME", "citas.txt"}})
    list.push_back({name, {{variable, file}}, {{kDeleteTyped, rewrite_failed("citas.txt"), all}}, "\n0\n", 0,
                    store_kept_copy_renewed});
  // Striking journals: a strike rewrites its journal only when it finds the record, and
  // writes something only when another record stays, so each failing step strikes one of
  // two. Add B, add A; delete A (strikes the added journal); delete entry 1 (the added
  // journal holds no such record: nothing is written, nothing fails); add A again (strikes
  // the deleted journal). The store changes as designed, each deletion taking only its
  // entry's bytes; each journal keeps its bytes through its failed strike.
  const std::string added_again = talvo_test::added_layout({kStore[0], kStore[2], kOther, kAdded});
  list.push_back({"JournalStrikesWithWriteFailing",
                  {{"TALVO_FAIL_WRITE", "temph.txt"}},
                  {{kOtherTyped, talvo_test::kAddedLine, {}},
                   {"\n2\n" + kAddTyped, talvo_test::kAddedLine, {}},
                   {"\n2\n3\nNova citação.\n1\nN\n\nS\n"_cp, rewrite_failed("added.dat"), {"added.dat"}},
                   {"\n2\n" + kDeleteTyped, "Entrada eliminada com sucesso", {"added.dat"}},
                   {"\n2\n" + kAddTyped, rewrite_failed("deleted.dat"), {"deleted.dat"}}},
                  "\n0\n",
                  0,
                  {{"citas.txt", added_again}, {"tempcopy.dat", added_again}, {"copy.dat", kBackupBytes}},
                  {"Ficheiro recuperado!", "Cópia criada!"_cp}});
  // The backup copy, then the safety copy at the clean end, both through the copy scratch file.
  for (auto [name, variable] : {std::pair{"BackupCopyWithWriteFailing", "TALVO_FAIL_WRITE"},
                                std::pair{"BackupCopyWithSyncFailing", "TALVO_FAIL_FSYNC"}})
    list.push_back({name,
                    {{variable, "tempcopy.tmp"}},
                    {{"6\nS\n", rewrite_failed("copy.dat"), all}, {"\n0\n", kCopyFailed, all}},
                    "",
                    0,
                    untouched});
  // The failing name, "copy.dat", ends "tempcopy.dat" too: the safety copy fails as well.
  list.push_back({"BackupCopyWithRenameFailing",
                  {{"TALVO_FAIL_RENAME", "copy.dat"}},
                  {{"6\nS\n", rewrite_failed("copy.dat"), all}, {"\n0\n", kCopyFailed, all}},
                  "",
                  0,
                  untouched});
  // The safety copy alone, at a clean end.
  for (auto [name, variable, file] : {std::tuple{"SafetyCopyWithWriteFailing", "TALVO_FAIL_WRITE", "tempcopy.tmp"},
                                      std::tuple{"SafetyCopyWithSyncFailing", "TALVO_FAIL_FSYNC", "tempcopy.tmp"},
                                      std::tuple{"SafetyCopyWithRenameFailing", "TALVO_FAIL_RENAME", "tempcopy.dat"}})
    list.push_back({name, {{variable, file}}, {{"0\n", kCopyFailed, all}}, "", 0, untouched});
  // Restores: the copy of the source cannot be written or cannot take the store's name;
  // the store and the source stay.
  for (auto [name, variable, file, typed] :
       {std::tuple{"RestoreOfTheBackupCopyWithWriteFailing", "TALVO_FAIL_WRITE", "tempy.txt", "7\nS\n"},
        std::tuple{"RestoreOfTheBackupCopyWithRenameFailing", "TALVO_FAIL_RENAME", "citas.txt", "7\nS\n"},
        std::tuple{"RestoreOfTheSafetyCopyWithWriteFailing", "TALVO_FAIL_WRITE", "tempy.txt", "8\nS\n"},
        std::tuple{"RestoreOfTheSafetyCopyWithRenameFailing", "TALVO_FAIL_RENAME", "citas.txt", "8\nS\n"}})
    list.push_back({name, {{variable, file}}, {{typed, rewrite_failed("citas.txt"), all}}, "0\n", 0,
                    store_kept_copy_renewed});
  return list;
}

/// Names a case in gtest's messages.
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class DiskFullTest : public talvo_test::SessionTest,
                     public ::testing::WithParamInterface<FailureCase> {
 protected:
  void expect_no_scratch_file(const std::string& when) {
    for (const auto& name : kScratchFiles)
      EXPECT_FALSE(dir.exists(name)) << name << " remains " << when << ": " << dir.listing();
  }
};

TEST_P(DiskFullTest, FailingStepLeavesItsFilesIntactAndSaysSo) {
  const FailureCase& c = GetParam();
  dir.write("citas.txt", kStoreBytes);
  dir.write("tempcopy.dat", kOlderCopyBytes);
  dir.write("copy.dat", kBackupBytes);

  std::map<std::string, std::string> env = c.failure;
  env["LD_PRELOAD"] = talvo_test::fail_io_library();
  reliability::LiveSession session(dir, env);
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    std::map<std::string, std::optional<std::string>> before;
    for (const auto& name : step.unchanged) before[name] = dir.read(name);
    session.send(step.typed);
    ASSERT_TRUE(session.wait_for(step.shown))
        << "step " << i << " never showed \"" << step.shown << "\"; output:\n" << session.out();
    for (const auto& [name, bytes] : before)
      EXPECT_EQ(dir.read(name), bytes) << name << " changed in step " << i;
    expect_no_scratch_file("after step " + std::to_string(i));
  }
  session.send(c.rest);
  EXPECT_EQ(session.finish(), c.status) << session.out();

  for (const auto& success : c.never_shown)
    EXPECT_EQ(session.out().find(success), std::string::npos) << "shown: " << success;
  for (const auto& [name, bytes] : c.at_end) EXPECT_EQ(dir.read(name), bytes) << name << " at the end";
  for (const auto& name : kJournals) EXPECT_FALSE(dir.exists(name)) << name << " remains";
  expect_no_scratch_file("at the end");
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfWrite, DiskFullTest, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
