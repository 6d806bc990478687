// Fuzz target: a whole session of the real program on arbitrary standard input and an
// arbitrary initial store. The program must end, cleanly or fatally, without a sanitizer
// report, and leave its files in order.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

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

/// Splits an input: standard input before it, the initial "citas.txt" after it. Without
/// it the whole input is standard input and there is no store at start.
constexpr std::string_view kMarker = "#citas.txt#";
/// A session that takes longer than this has hung: the program ends at the end of input.
constexpr int kTimeLimitSeconds = 20;

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

/// The files every end leaves: no journals; after a clean end no scratch file and a safety
/// copy that is the copy of the store as it stands.
void check_files(int status) {
  if (exists(kAddedJournal) || exists(kDeletedJournal)) fail("a session journal remains");
  if (status != 0) return;
  for (const char* scratch_file : {kStoreScratch, kJournalScratch, kCopyScratch})
    if (exists(scratch_file)) fail(std::string("scratch file remains: ") + scratch_file);
  if (!exists(kStoreFile)) return;
  const std::string expected = scratch().data + "/../expected-copy";
  fuzzcheck::copy_layout(in_data(kStoreFile), expected);
  bool found = false;
  std::string copy = fuzzcheck::read_bytes(in_data(kSafetyCopy), &found);
  if (!found) fail("no safety copy after a clean end");
  if (copy != fuzzcheck::read_bytes(expected)) fail("the safety copy is not the copy of the store");
}

/// The store after the run against the store before it.
void check_store(bool had_store, const Scan& before, const std::string& out) {
  if (!exists(kStoreFile)) {
    if (had_store) fail("the store is gone");
    return;
  }
  Scan after = fuzzcheck::scan_file(in_data(kStoreFile), Reader::kStore);
  fuzzcheck::scan_file(in_data(kStoreFile), Reader::kCopy);
  if (!had_store) {
    // Made by the program: it begins with the header line.
    if (!after.has_first || after.first != kStoreHeader) fail("a new store lacks its header line");
    return;
  }
  // A first line that is empty, or that a NUL cuts to nothing, is replaced or lost by
  // design; any other stays through appends, rewrites, copies and restores.
  if (!before.has_first || before.nul_cut) return;
  if (!after.has_first || after.first != before.first) fail("the store lost its first line");
  // With nothing deleted and nothing restored, every entry but the last (which an append
  // may complete differently) is still there, in its place.
  if (out.find("Entrada eliminada com sucesso") != std::string::npos ||
      out.find("Ficheiro recuperado!") != std::string::npos)
    return;
  for (std::size_t i = 0; i + 1 < before.entries.size(); ++i)
    if (i >= after.entries.size() || !(after.entries[i] == before.entries[i]))
      fail("entry " + std::to_string(i) + " of the store was lost or changed");
}

}  // namespace

/// Called by libFuzzer only, before the first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing = true;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view whole(reinterpret_cast<const char*>(data), size);
  const std::size_t split = whole.find(kMarker);
  const bool had_store = split != std::string_view::npos;
  const std::string input(whole.substr(0, split));

  fuzzcheck::empty_directory(scratch().data);
  Scan before;
  if (had_store) {
    fuzzcheck::write_bytes(in_data(kStoreFile), std::string(whole.substr(split + kMarker.size())));
    before = fuzzcheck::scan_file(in_data(kStoreFile), Reader::kStore);
  }
  ::unlink(scratch().coverage.c_str());

  const fuzzcheck::SessionSetup setup{TALVO_BINARY, scratch().data, scratch().coverage, !fuzzing,
                                      kTimeLimitSeconds};
  fuzzcheck::SessionRun run = fuzzcheck::run_session(setup, input);
  take_coverage();
  check_ending(run);
  check_files(run.status);
  check_store(had_store, before, run.out);
  return 0;
}
