// Fuzz target: a whole session of the real program on arbitrary standard input and an
// arbitrary initial store. The program must end, cleanly or fatally, without a sanitizer
// report, and leave its files in order.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <map>
#include <string_view>
#include <vector>

#include "data_files.h"
#include "session_run.h"
#include "store_scan.h"

/// The program's edge counters from its last run; libFuzzer reads this section as extra
/// coverage, so inputs that reach new code in the program are kept.
__attribute__((section("__libfuzzer_extra_counters"), used)) static uint8_t program_counters[1 << 16];

namespace {

using fuzzcheck::fail;
using fuzzcheck::Reader;
using fuzzcheck::Scan;

/// At the very start of an input: the program starts with its standard output closed.
constexpr std::string_view kClosedOutput = "#stdout-closed#";
/// Splits an input: standard input before it, the initial "citas.txt" after it. Without
/// it the whole input is standard input and there is no store at start.
constexpr std::string_view kMarker = "#citas.txt#";
/// Instead of kMarker: a directory stands in the store's place (what follows is unused).
constexpr std::string_view kDirectoryMarker = "#citas.txt/#";
/// A line the program shows at every start: with its output closed, no data file may
/// hold it unless the input brought it.
constexpr std::string_view kMenuLine = "Menu Principal";
/// A session that takes longer than this has hung: the program ends at the end of input.
constexpr int kTimeLimitSeconds = 20;

/// What stands in the store's place when the program starts.
enum class Store { kNone, kFile, kDirectory };

/// One input, taken apart.
struct Session {
  bool stdout_closed = false;
  Store store = Store::kNone;
  std::string input;        // standard input
  std::string store_bytes;  // the initial store, for Store::kFile
};

Session take_apart(std::string_view whole) {
  Session s;
  if (whole.substr(0, kClosedOutput.size()) == kClosedOutput) {
    s.stdout_closed = true;
    whole.remove_prefix(kClosedOutput.size());
  }
  const std::size_t file = whole.find(kMarker);
  const std::size_t directory = whole.find(kDirectoryMarker);
  if (directory != std::string_view::npos && (file == std::string_view::npos || directory < file)) {
    s.store = Store::kDirectory;
    s.input = whole.substr(0, directory);
  } else if (file != std::string_view::npos) {
    s.store = Store::kFile;
    s.input = whole.substr(0, file);
    s.store_bytes = whole.substr(file + kMarker.size());
  } else {
    s.input = whole;
  }
  return s;
}

struct Scratch {
  std::string data;      // the program's current directory
  std::string coverage;  // where the program leaves its counters
};

/// Set under libFuzzer: the program then runs without its leak check, which costs more
/// than half of each run. Replays keep it.
bool fuzzing = false;

const Scratch& scratch() {
  static const Scratch dirs = [] {
    const std::string root = fuzzcheck::make_scratch_dir("session");
    Scratch s{root + "/data", root + "/coverage"};
    if (::mkdir(s.data.c_str(), 0700) != 0) fail("cannot make " + s.data);
    return s;
  }();
  return dirs;
}

std::string in_data(const char* name) { return scratch().data + "/" + name; }

bool exists(const char* name) { return ::access(in_data(name).c_str(), F_OK) == 0; }

/// What stands at `name` in the program's directory.
Store kind_of(const char* name) {
  struct stat st {};
  if (::lstat(in_data(name).c_str(), &st) != 0) return Store::kNone;
  return S_ISDIR(st.st_mode) ? Store::kDirectory : Store::kFile;
}

/// The first line of a file's bytes, up to its first newline or the end.
std::string first_line(const std::string& bytes) { return bytes.substr(0, bytes.find('\n')); }

/// Hands the program's counters to libFuzzer.
void take_coverage() {
  bool found = false;
  std::string counters = fuzzcheck::read_bytes(scratch().coverage, &found);
  if (!found) return;
  std::memcpy(program_counters, counters.data(), std::min(counters.size(), sizeof program_counters));
  ::unlink(scratch().coverage.c_str());
}

/// How the run ended: by itself, with 0 or 255, and without a sanitizer report.
void check_ending(const fuzzcheck::SessionRun& run) {
  if (run.timed_out) fail("the session did not end (hang)");
  if (run.signalled) fail("the program was ended by a signal");
  if (!run.err.empty()) fail("the program wrote to standard error:\n" + run.err.substr(0, 4000));
  if (run.status != 0 && run.status != 255)
    fail("exit status " + std::to_string(run.status) + ", not 0 or 255");
}

/// The files every end leaves: no journals; after a clean end no scratch file and, beside
/// a store that is a file, a safety copy holding exactly its bytes (the directory starts
/// with no safety copy, so the store, old or new, gives one); beside a store that cannot
/// be read, none.
void check_files(int status) {
  if (exists(kAddedJournal) || exists(kDeletedJournal)) fail("a session journal remains");
  if (status != 0) return;
  for (const char* scratch_file : {kStoreScratch, kJournalScratch, kCopyScratch})
    if (exists(scratch_file)) fail(std::string("scratch file remains: ") + scratch_file);
  const Store store = kind_of(kStoreFile);
  if (store == Store::kNone) return;
  bool found = false;
  std::string copy = fuzzcheck::read_bytes(in_data(kSafetyCopy), &found);
  if (store == Store::kDirectory) {
    if (found) fail("a safety copy made of a directory in the store's place");
    return;
  }
  if (!found) fail("no safety copy after a clean end");
  if (copy != fuzzcheck::read_bytes(in_data(kStoreFile)))
    fail("the safety copy is not the store's bytes");
}

/// The store after the run against the store before it.
void check_store(const Session& session, const std::string& out) {
  const Store now = kind_of(kStoreFile);
  if (session.store == Store::kDirectory) {
    if (now != Store::kDirectory) fail("the directory in the store's place was replaced");
    return;
  }
  if (now == Store::kNone) {
    if (session.store == Store::kFile) fail("the store is gone");
    return;
  }
  if (now == Store::kDirectory) fail("a directory stands in the store's place");
  const std::string bytes = fuzzcheck::read_bytes(in_data(kStoreFile));
  Scan after = fuzzcheck::scan_file(in_data(kStoreFile), Reader::kSelection);
  fuzzcheck::scan_file(in_data(kStoreFile), Reader::kCount);
  if (session.store == Store::kNone) {
    // Made by the program: it begins with the header line.
    if (first_line(bytes) != kStoreHeader) fail("a new store lacks its header line");
    return;
  }
  // Appends go after it, deletions take no byte of it, restores bring back a copy of
  // this store: the first line stays as it was.
  if (first_line(bytes) != first_line(session.store_bytes)) fail("the store lost its first line");
  // With nothing deleted and nothing restored (known only from the output), every entry
  // but the last (which an append may complete differently) is still there, in its place.
  if (session.stdout_closed || out.find("Entrada eliminada com sucesso") != std::string::npos ||
      out.find("Ficheiro recuperado!") != std::string::npos)
    return;
  const std::string before_path = scratch().data + "/../store-before";
  fuzzcheck::write_bytes(before_path, session.store_bytes);
  const Scan before = fuzzcheck::scan_file(before_path, Reader::kSelection);
  for (std::size_t i = 0; i + 1 < before.entries.size(); ++i)
    if (i >= after.entries.size() || !(after.entries[i] == before.entries[i]))
      fail("entry " + std::to_string(i) + " of the store was lost or changed");
}

/// What the program's directory holds: each name with its bytes ("/" for a directory).
/// The backup stamp holds the time of day, so only its presence counts.
std::map<std::string, std::string> snapshot() {
  DIR* d = ::opendir(scratch().data.c_str());
  if (d == nullptr) fail("cannot list " + scratch().data);
  std::vector<std::string> names;
  while (dirent* e = ::readdir(d)) names.emplace_back(e->d_name);
  ::closedir(d);
  std::map<std::string, std::string> files;
  for (const auto& name : names) {
    if (name == "." || name == "..") continue;
    if (kind_of(name.c_str()) == Store::kDirectory) files[name] = "/";
    else files[name] = name == kBackupStamp ? "" : fuzzcheck::read_bytes(in_data(name.c_str()));
  }
  return files;
}

/// With its standard output closed, nothing the program says may land in a data file:
/// no file of its directory holds the menu's line unless the input brought it.
void check_no_output_in_files(std::string_view whole, const std::map<std::string, std::string>& files) {
  if (whole.find(kMenuLine) != std::string_view::npos) return;
  for (const auto& [name, bytes] : files)
    if (bytes.find(kMenuLine) != std::string::npos) fail("the program's output landed in " + name);
}

}  // namespace

/// Called by libFuzzer only, before the first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing = true;
  return 0;
}

/// Puts the directory as the input says it is at the start.
void set_up(const Session& session) {
  fuzzcheck::empty_directory(scratch().data);
  if (session.store == Store::kFile) {
    fuzzcheck::write_bytes(in_data(kStoreFile), session.store_bytes);
    fuzzcheck::scan_file(in_data(kStoreFile), Reader::kSelection);
  } else if (session.store == Store::kDirectory) {
    if (::mkdir(in_data(kStoreFile).c_str(), 0700) != 0) fail("cannot make the directory");
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view whole(reinterpret_cast<const char*>(data), size);
  const Session session = take_apart(whole);

  set_up(session);
  ::unlink(scratch().coverage.c_str());
  fuzzcheck::SessionSetup setup{TALVO_BINARY, scratch().data, scratch().coverage, !fuzzing,
                                kTimeLimitSeconds};
  setup.stdout_closed = session.stdout_closed;
  fuzzcheck::SessionRun run = fuzzcheck::run_session(setup, session.input);
  take_coverage();
  check_ending(run);
  check_files(run.status);
  check_store(session, run.out);
  if (!session.stdout_closed) return 0;

  // A closed output changes nothing but where the words go: the files end as they end
  // after the same session with an output to read.
  const auto closed = snapshot();
  check_no_output_in_files(whole, closed);
  set_up(session);
  setup.stdout_closed = false;
  setup.coverage.clear();
  fuzzcheck::SessionRun open = fuzzcheck::run_session(setup, session.input);
  check_ending(open);
  if (open.status != run.status)
    fail("the status with the output closed (" + std::to_string(run.status) +
         ") is not the status with it open (" + std::to_string(open.status) + ")");
  if (snapshot() != closed) fail("the files end differently when the output is closed");
  return 0;
}
