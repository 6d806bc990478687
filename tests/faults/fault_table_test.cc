// Every write path of the data files, with each of its file calls failing in turn: no file
// is ever left half-written (each holds what it held or what the path makes of it, and no
// scratch file stays), and what the path reports matches the files.
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../store/store_folder.h"
#include "command_line.h"
#include "console.h"
#include "data_files.h"
#include "failing_calls.h"
#include "file_snapshot.h"
#include "journal.h"
#include "quote_entry.h"
#include "search.h"
#include "shell.h"
#include "store.h"
#include "verbs.h"

namespace faults {
namespace {

using file_calls::Call;
using Files = std::map<std::string, std::string>;

const std::string kAlfa = "\n\"Alfa.\"\nAa\n", kBeta = "\n\"Beta.\"\nBb\n", kGama = "\n\"Gama.\"\nGg\n";
const std::string kStore = store_test::kHeader + kAlfa + "\n" + kBeta;

/// One write path: the files it starts from, what it does, which calls it must make, and
/// the kinds of call whose every failure must leave its files as they were.
struct Path {
  const char* name;
  Files before;
  /// Runs the path; whether it reported its change as made. An end of the program
  /// (a fatal failure) reports nothing made. A path that first prepares its files calls
  /// arm() where the path itself begins.
  std::function<bool()> run;
  bool prepares = false;
  /// The files whose change the report speaks for.
  std::set<std::string> reported;
  /// Where the path speaks on the screen: what it says when the change was made, and
  /// when it was not (code page 850). Where neither is said (the program ended on a file
  /// it could not open), the files need only be whole.
  std::string made_says{}, unmade_says{}, also_unmade_says{};
  std::set<Call> makes{};
  std::set<Call> abandoned_on{};
};

const char* kind_name(Call kind) {
  static const char* const names[] = {"open", "read", "write", "sync", "rename", "unlink", "copy"};
  return names[static_cast<int>(kind)];
}

/// Every file of the current directory with its bytes.
Files files_here() {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    files[name] = talvo_test::read_path(name).value_or("<not a file>");
  }
  return files;
}

/// The bytes of `name` in `files`, or "<none>".
std::string at(const Files& files, const std::string& name) {
  auto found = files.find(name);
  return found == files.end() ? "<none>" : found->second;
}

/// Standard output and error caught in a file beside the collection while a path runs,
/// and put back.
class Screen {
 public:
  Screen() : saved_(dup(1)), saved_error_(dup(2)) {
    console::flush();
    std::fflush(stdout);
    int fd = ::open(kFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    dup2(fd, 2);
    ::close(fd);
    point_handle();
  }
  ~Screen() { put_back(); }
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  /// Everything written so far; standard output is put back.
  std::string taken() {
    try {
      console::flush();
    } catch (const ProgramEnd&) {
    }
    put_back();
    return talvo_test::read_path(kFile).value_or("");
  }

 private:
  static constexpr const char* kFile = "../screen";
  /// On Windows the console layer writes to the standard handle, not to descriptor 1.
  static void point_handle() {
#ifdef _WIN32
    SetStdHandle(STD_OUTPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(1)));
#endif
  }
  /// Descriptors 1 and 2 as they were, even when the path closed one (a verb's output does).
  void put_back() {
    if (saved_ < 0) return;
    dup2(saved_, 1);
    dup2(saved_error_, 2);
    ::close(saved_);
    ::close(saved_error_);
    saved_ = saved_error_ = -1;
    point_handle();
  }
  int saved_, saved_error_;
};

/// How a path ended: whether it returned, reporting its change made, and what it said.
struct Ending {
  bool made = false;
  std::string screen;
};

/// The call to fail once the path begins, and the files it began from.
Call armed_kind = Call::kOpen;
int armed_nth = 0;
Files start;

/// The path begins: its files are noted and the chosen call fails from here on.
void arm() {
  start = files_here();
  fail(armed_kind, armed_nth);
}

/// Runs a path from its files with the `nth` call of the kind `kind` failing (0: none);
/// an end of the program counts as nothing made.
Ending run_from(const Path& path, Call kind, int nth) {
  fail(Call::kOpen, 0);
  for (const auto& entry : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(entry);
  for (const auto& [name, bytes] : path.before) talvo_test::write_path(name, bytes);
  Nadd = Ndele = 1;  // each journal holds one entry of this run
  armed_kind = kind;
  armed_nth = nth;
  if (!path.prepares) arm();
  Screen screen;
  Ending ending;
  try {
    ending.made = path.run();
  } catch (const ProgramEnd&) {
  }
  ending.screen = screen.taken();
  return ending;
}

/// Whether the path said its change was made (1), was not made (0), or said neither (-1).
int verdict(const Path& path, const Ending& ending) {
  if (path.made_says.empty()) return ending.made ? 1 : 0;
  auto said = [&](const std::string& text) {
    return !text.empty() && ending.screen.find(text) != std::string::npos;
  };
  if (said(path.unmade_says) || said(path.also_unmade_says)) return 0;
  return said(path.made_says) ? 1 : -1;
}

/// Copies the store, as the clean end, option 6 and a restore do.
bool copy_store_to(const char* target, const char* scratch) {
  FileIn store(kStoreFile);
  return copy_whole(store, kStoreFile, target, scratch);
}

class FaultTableTest : public store_test::StoreFolderTest {
 protected:
  static void SetUpTestSuite() {
    // The menu's paths discard the rest of an answer line: from nothing, at once.
#ifdef _WIN32
    if (std::freopen("NUL", "rb", stdin) != nullptr)
      SetStdHandle(STD_INPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdin))));
#else
    if (std::freopen("/dev/null", "rb", stdin) == nullptr) FAIL();
#endif
  }
};

TEST_F(FaultTableTest, EachWritePathLeavesWholeFilesAndTellsTheTruthWhateverCallFails) {
  const std::set<Call> kCopying = {Call::kOpen, Call::kWrite, Call::kSync, Call::kRename};
  const std::set<Call> kEdits = {Call::kOpen, Call::kRead, Call::kWrite, Call::kSync,
                                 Call::kRename, Call::kUnlink};
  const Path paths[] = {
      {.name = "the menu's addition, which strikes the entry from the deleted journal",
       .before = {{"citas.txt", kStore}, {"added.dat", kAlfa}, {"deleted.dat", kGama}},
       .run = [] {
         char quote[kQuoteSize] = "\"Gama.\"", author[kAuthorSize] = "Gg";
         return add_entry(quote, author);
       },
       .reported = {"citas.txt", "added.dat"},
       .made_says = "Entrada adicionada com sucesso",
       .unmade_says = "A entrada não foi adicionada"_cp,
       .makes = kEdits},
      {.name = "the history's undoing of an addition: a deletion from the store",
       .before = {{"citas.txt", kStore}, {"added.dat", kBeta}, {"deleted.dat", kGama}},
       .run = [] {
         char quote[kQuoteSize] = "\"Beta.\"", author[kQuoteSize] = "Bb";
         return delete_entry(quote, author);
       },
       .reported = {"citas.txt", "deleted.dat"},
       .made_says = "Entrada eliminada com sucesso",
       .unmade_says = "A entrada não foi eliminada"_cp,
       .also_unmade_says = "O ficheiro citas.txt não pode ser alterado"_cp,
       .makes = kEdits},
      {.name = "a journal strike",
       .before = {{"citas.txt", kStore}, {"added.dat", kAlfa + kBeta + "\n" + kGama}},
       .run = [] {
         delete_entryH(kAddedJournal, "\"Beta.\"", "Bb");
         return Nadd == 0;
       },
       .reported = {"added.dat"},
       .makes = kEdits,
       .abandoned_on = {Call::kRead, Call::kWrite, Call::kSync, Call::kRename, Call::kUnlink}},
      {.name = "the safety copy",
       .before = {{"citas.txt", kStore}, {"tempcopy.dat", store_test::kHeader + kAlfa}},
       .run = [] { return copy_store_to(kSafetyCopy, kCopyScratch); },
       .reported = {"tempcopy.dat"},
       .makes = {Call::kOpen, Call::kWrite, Call::kSync, Call::kRename, Call::kUnlink},
       .abandoned_on = kCopying},
      {.name = "the backup copy",
       .before = {{"citas.txt", kStore}},
       .run = [] { return copy_store_to(kBackupCopy, kCopyScratch); },
       .reported = {"copy.dat"},
       .makes = {Call::kOpen, Call::kWrite, Call::kSync, Call::kRename, Call::kUnlink},
       .abandoned_on = kCopying},
      {.name = "a restore of the backup copy",
       .before = {{"citas.txt", kStore}, {"copy.dat", store_test::kHeader + kGama}},
       .run = [] {
         FileIn copy(kBackupCopy);
         return copy_whole(copy, kBackupCopy, kStoreFile, kStoreScratch);
       },
       .reported = {"citas.txt"},
       .makes = {Call::kOpen, Call::kWrite, Call::kSync, Call::kRename, Call::kUnlink},
       .abandoned_on = kCopying},
      {.name = "a replace putting the store back as it was",
       .before = {{"citas.txt", kStore}},
       .run = [] {
         FileSnapshot before(kStoreFile);
         {
           Rewrite changed(kStoreFile, kStoreScratch);
           changed.out().put("changed");
           changed.commit();
         }
         arm();
         return before.restore(kStoreScratch);
       },
       .prepares = true,
       .reported = {"citas.txt"},
       .makes = {Call::kOpen, Call::kWrite, Call::kSync, Call::kRename, Call::kUnlink}},
      {.name = "importar",
       .before = {{"citas.txt", kStore}, {"in.txt", "\"Gama.\"\n\t-- Gg\n"}},
       .run = [] {
         CommandLine line;
         line.request = Request::kImport;
         line.file = "in.txt";
         return import_verb(line, Charset::kCp850) == 0;
       },
       .reported = {"citas.txt"},
       .made_says = "Importadas: 1",
       .unmade_says = "As entradas não foram adicionadas"_cp,
       .makes = {Call::kOpen, Call::kRead, Call::kWrite, Call::kSync}},
  };
  // Copies by the kernel where it makes them (their own calls fail then), and by reads
  // and writes as on Windows or across file systems.
  for (bool by_kernel : {true, false}) {
    kernel_copies(by_kernel);
    for (const Path& path : paths) {
      SCOPED_TRACE(std::string(path.name) + (by_kernel ? ", copies by the kernel" : ""));
      ASSERT_EQ(verdict(path, run_from(path, Call::kOpen, 0)), 1);
      const Files before = start, after = files_here();
      int counts[file_calls::kCallKinds];
      for (int k = 0; k < file_calls::kCallKinds; ++k) counts[k] = made(static_cast<Call>(k));
      if (!by_kernel) {
        for (Call kind : path.makes) EXPECT_GT(counts[static_cast<int>(kind)], 0) << kind_name(kind);
      }
      for (int k = 0; k < file_calls::kCallKinds; ++k) {
        const Call kind = static_cast<Call>(k);
        for (int nth = 1; nth <= counts[k]; ++nth) {
          SCOPED_TRACE(std::string(kind_name(kind)) + " call " + std::to_string(nth) + " fails");
          const int made = verdict(path, run_from(path, kind, nth));
          const Files now = files_here();
          std::set<std::string> names;
          for (const Files* files : {&before, &after, &now})
            for (const auto& file : *files) names.insert(file.first);
          for (const std::string& name : names) {
            const std::string held = at(now, name);
            if (path.reported.count(name) && made >= 0)
              EXPECT_EQ(held, at(made ? after : before, name)) << name;
            else
              EXPECT_TRUE(held == at(before, name) || held == at(after, name)) << name << ": " << held;
          }
          if (path.abandoned_on.count(kind)) {
            EXPECT_EQ(made, 0);
          }
        }
      }
    }
  }
  kernel_copies(true);
}

}  // namespace
}  // namespace faults
