// File-layer tests: runs of the program through a shell line, and the table rows that
// describe one fault scenario with the files it must leave.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "session.h"

namespace files_test {

using talvo_test::Outcome;
using talvo_test::ScratchDir;

/// Runs `script` with bash in `dir.data()` ($TALVO names the program), `input` on
/// standard input and standard output captured; PATH is `path` (by default the fake cls
/// first, then /usr/bin:/bin), TZ=UTC, LC_ALL=C, SIGPIPE at its default, plus `env`.
/// The status is the script's.
Outcome run_script(const ScratchDir& dir, const std::string& script, const std::string& input,
                   const std::map<std::string, std::string>& env = {},
                   const std::string& path = "");

/// Every name in the data directory with its bytes ("<dir>" for a directory, "-> target"
/// for a symbolic link), to show that a run touched nothing.
std::map<std::string, std::string> snapshot(const ScratchDir& dir);

/// The permission bits of a data file, or -1 when it does not exist.
int mode_of(const ScratchDir& dir, const std::string& name);

/// Whether a data file is a symbolic link.
bool is_link(const ScratchDir& dir, const std::string& name);

/// One fault scenario: the files before, the run, and what it must print and leave.
struct FaultCase {
  const char* name = "";
  std::function<void(const ScratchDir&)> setup{};
  std::string input{};
  std::map<std::string, std::string> env{};
  /// The last bytes the run prints (console bytes); empty: not looked at.
  std::string out_tail{};
  int status = 0;
  /// Checks the files after the run.
  std::function<void(const ScratchDir&)> check{};
  /// The shell line that starts the program.
  std::string script = "\"$TALVO\"";
  /// PATH for the run; empty: the default.
  std::string path{};
  /// Bytes that must not appear in the output.
  std::string out_lacks{};
};

/// Runs one row in a fresh scratch directory and checks it.
void run_case(const FaultCase& c);

/// The preloaded failure library with one failure named.
std::map<std::string, std::string> failing(const std::string& variable, const std::string& file);

}  // namespace files_test
