// Every write path of the data files with each of its file calls failing in turn: every
// file ends whole (as it was, or as the path makes it; no scratch file stays), and the
// files a path changes together move together, as its result says. The program's file
// calls are defined here, in place of file_calls.cc, to fail the N-th call of a kind.
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "../store/store_folder.h"
#include "data_files.h"
#include "file_calls.h"
#include "file_snapshot.h"
#include "journal.h"
#include "search.h"
#include "shell.h"
#include "store.h"
#include "verbs.h"

namespace faults {
namespace {

using file_calls::Call;
using Files = std::map<std::string, std::string>;

int counts[file_calls::kCallKinds];
Call failing_kind = Call::kOpen;
int failing_nth = 0;   // 0: none fails
bool by_kernel = true;  // the kernel copies files (Linux), or never does (Windows)

/// Counts a call of the kind; true, with errno set to `error`, when it is the one to fail.
bool fails(Call kind, int error) {
  if (++counts[static_cast<int>(kind)] != failing_nth || kind != failing_kind) return false;
  errno = error;
  return true;
}

}  // namespace
}  // namespace faults

namespace file_calls {

using faults::fails;

int open(const char* name, Open how, bool follow, unsigned bits) {
  return fails(Call::kOpen, EACCES) ? -1 : platform::open(name, how, follow, bits);
}
long read(int fd, void* buffer, std::size_t size) {
  return fails(Call::kRead, EIO) ? -1 : platform::read(fd, buffer, size);
}
long read_at(int fd, void* buffer, std::size_t size, long long offset) {
  return fails(Call::kRead, EIO) ? -1 : platform::read_at(fd, buffer, size, offset);
}
long write(int fd, const void* bytes, std::size_t size) {
  return fails(Call::kWrite, ENOSPC) ? -1 : platform::write(fd, bytes, size);
}
bool sync(int fd) { return !fails(Call::kSync, EIO) && platform::sync(fd); }
bool rename(const char* from, const char* to) { return !fails(Call::kRename, EIO) && platform::rename(from, to); }
bool unlink(const char* name) { return !fails(Call::kUnlink, EIO) && platform::unlink(name); }
long copy(int from, long long offset, int to, std::size_t size) {
  if (!faults::by_kernel || fails(Call::kCopy, EIO)) return -1;
  return platform::copy(from, offset, to, size);
}

}  // namespace file_calls

namespace faults {
namespace {

/// From now on the `nth` call of the kind fails, once (0: none); the counts restart.
void fail(Call kind, int nth) {
  failing_kind = kind, failing_nth = nth;
  for (int& count : counts) count = 0;
}

const std::string kAlfa = "\n\"Alfa.\"\nAa\n", kBeta = "\n\"Beta.\"\nBb\n", kGama = "\n\"Gama.\"\nGg\n";
const std::string kStore = store_test::kHeader + kAlfa + "\n" + kBeta;

/// One write path: its files; what it does, returning 1 when it made its change, 0 when
/// it did not, -1 when it cannot tell (a path that prepares its files first calls arm()
/// where it begins); the files it changes together; the kinds of call it must make.
struct Path {
  const char* name;
  Files before;
  std::function<int()> run;
  std::set<std::string> together;
  std::set<Call> makes;
  bool prepares = false;
};

Files files_here() {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    files[entry.path().filename().string()] = talvo_test::read_path(entry.path().string()).value_or("<dir>");
  return files;
}

std::string at(const Files& files, const std::string& name) {
  auto found = files.find(name);
  return found == files.end() ? "<none>" : found->second;
}

Call armed_kind = Call::kOpen;
int armed_nth = 0;
Files start;  // the files the path began from

void arm() {
  start = files_here();
  fail(armed_kind, armed_nth);
}

/// Runs a path from its files with the `nth` call of the kind failing (0: none). An end
/// of the program says nothing of the change: the files it changes must only go together.
int run_from(const Path& path, Call kind, int nth) {
  fail(Call::kOpen, 0);
  for (const auto& entry : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(entry);
  for (const auto& [name, bytes] : path.before) talvo_test::write_path(name, bytes);
  Nadd = Ndele = 1;  // each journal holds one entry of this run
  armed_kind = kind, armed_nth = nth;
  if (!path.prepares) arm();
  const int output = dup(1);  // a verb closes its output when done
  int made = -1;
  try {
    made = path.run();
  } catch (const ProgramEnd&) {
  }
  dup2(output, 1), ::close(output);
  return made;
}

int copy_store_to(const char* target) {
  FileIn store(kStoreFile);
  return copy_whole(store, kStoreFile, target, kCopyScratch);
}

class FaultTableTest : public store_test::StoreFolderTest {
 protected:
  // The menu's paths discard the rest of an answer line: from nothing, at once.
  static void SetUpTestSuite() {
#ifdef _WIN32
    if (std::freopen("NUL", "rb", stdin) != nullptr)
      SetStdHandle(STD_INPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdin))));
#else
    if (std::freopen("/dev/null", "rb", stdin) == nullptr) FAIL();
#endif
  }
};

TEST_F(FaultTableTest, EachWritePathLeavesWholeFilesAndSaysNoMoreThanTheyHold) {
  const std::set<Call> kEdits = {Call::kOpen, Call::kRead, Call::kWrite, Call::kSync, Call::kRename, Call::kUnlink};
  const std::set<Call> kCopies = {Call::kOpen, Call::kWrite, Call::kSync, Call::kRename, Call::kUnlink};
  const Path paths[] = {
      {"the menu's addition, struck from the deleted journal",
       {{"citas.txt", kStore}, {"added.dat", kAlfa}, {"deleted.dat", kGama}},
       [] {
         char quote[kQuoteSize] = "\"Gama.\"", author[kAuthorSize] = "Gg";
         return int{add_entry(quote, author)};
       },
       {"citas.txt", "added.dat"}, kEdits},
      {"a deletion from the store, struck from the added journal",
       {{"citas.txt", kStore}, {"added.dat", kBeta}, {"deleted.dat", kGama}},
       [] {
         char quote[kQuoteSize] = "\"Beta.\"", author[kQuoteSize] = "Bb";
         return int{delete_entry(quote, author)};
       },
       {"citas.txt", "deleted.dat"}, kEdits},
      {"a journal strike", {{"citas.txt", kStore}, {"added.dat", kAlfa + kBeta + "\n" + kGama}},
       [] { return delete_entryH(kAddedJournal, "\"Beta.\"", "Bb"), int{Nadd == 0}; }, {"added.dat"}, kEdits},
      {"the safety copy", {{"citas.txt", kStore}, {"tempcopy.dat", kGama}},
       [] { return copy_store_to(kSafetyCopy); }, {"tempcopy.dat"}, kCopies},
      {"the backup copy", {{"citas.txt", kStore}}, [] { return copy_store_to(kBackupCopy); }, {"copy.dat"}, kCopies},
      {"a restore", {{"citas.txt", kStore}, {"copy.dat", kGama}},
       [] {
         FileIn copy(kBackupCopy);
         return int{copy_whole(copy, kBackupCopy, kStoreFile, kStoreScratch)};
       },
       {"citas.txt"}, kCopies},
      {"a replace putting the store back", {{"citas.txt", kStore}},
       [] {
         FileSnapshot before(kStoreFile);
         Rewrite changed(kStoreFile, kStoreScratch);
         changed.out().put("changed");
         changed.commit();
         arm();
         return int{before.restore(kStoreScratch)};
       },
       {"citas.txt"}, kCopies, true},
      {"importar (status 2 may be its report's failure, after the change)",
       {{"citas.txt", kStore}, {"in.txt", "\"Gama.\"\n\t-- Gg\n"}},
       [] {
         CommandLine line;
         line.request = Request::kImport, line.file = "in.txt";
         return import_verb(line, Charset::kCp850) == 0 ? 1 : -1;
       },
       {"citas.txt"}, {Call::kOpen, Call::kRead, Call::kWrite, Call::kSync}},
  };
  for (bool kernel : {true, false}) {  // copies by the kernel, or by reads and writes
    by_kernel = kernel;
    for (const Path& path : paths) {
      SCOPED_TRACE(std::string(path.name) + (by_kernel ? ", copies by the kernel" : ""));
      ASSERT_EQ(run_from(path, Call::kOpen, 0), 1);
      const Files before = start, after = files_here();
      int made_calls[file_calls::kCallKinds];
      std::copy(counts, counts + file_calls::kCallKinds, made_calls);
      for (Call kind : path.makes) EXPECT_TRUE(by_kernel || made_calls[static_cast<int>(kind)] > 0);
      for (int k = 0; k < file_calls::kCallKinds; ++k) {
        for (int nth = 1; nth <= made_calls[k]; ++nth) {
          SCOPED_TRACE("call " + std::to_string(nth) + " of kind " + std::to_string(k) + " fails");
          const int made = run_from(path, static_cast<Call>(k), nth);
          const Files now = files_here();
          Files names = before;
          names.insert(after.begin(), after.end()), names.insert(now.begin(), now.end());
          int moved = made;  // whether the files changed together are as it made them
          for (const auto& [name, bytes] : names) {
            const std::string held = at(now, name);
            EXPECT_TRUE(held == at(before, name) || held == at(after, name)) << name << ": " << held;
            if (!path.together.count(name) || at(before, name) == at(after, name)) continue;
            if (moved < 0) moved = held == at(after, name);
            EXPECT_EQ(held, at(moved ? after : before, name)) << name;
          }
        }
      }
    }
  }
  by_kernel = true;
}

}  // namespace
}  // namespace faults
