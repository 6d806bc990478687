// Test support: runs the real talvo binary in a scratch directory with scripted input.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cp850.h"

namespace talvo_test {

/// What one run of the program left: everything it printed on standard output and on
/// standard error, and its exit status.
struct Outcome {
  std::string out;
  int status = -1;
  std::string err;
};

/// The bytes of any file, or nothing when it cannot be read.
std::optional<std::string> read_path(const std::string& path);
/// Writes any file with exactly these bytes.
void write_path(const std::string& path, const std::string& bytes);

/// A fresh directory for one test, removed afterwards; holds data/ (the program's
/// current directory) and bin/ (a fake `cls` that prints "[CLS]").
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  /// The program's working directory.
  const std::string& data() const { return data_; }
  /// The directory put first on PATH.
  const std::string& bin() const { return bin_; }
  /// Writes a data file with exactly these bytes.
  void write(const std::string& name, const std::string& bytes) const;
  /// The bytes of a data file, or nothing when it does not exist.
  std::optional<std::string> read(const std::string& name) const;
  /// Whether a data file exists.
  bool exists(const std::string& name) const { return read(name).has_value(); }
  /// The names of every entry of the data directory, sorted.
  std::string listing() const;

 private:
  std::string root_, data_, bin_;
};

/// Runs talvo in `dir.data()` with `input` on standard input (a pipe, closed after the
/// input), the fake cls first on PATH, TZ=UTC and LC_ALL=C, plus `env` (a value of
/// nullptr-like "" removes nothing; use it to add variables such as LD_PRELOAD). Under
/// Wine the run is `wine talvo.exe`, with Wine's own messages off unless WINEDEBUG says.
Outcome run_talvo(const ScratchDir& dir, const std::string& input,
              const std::map<std::string, std::string>& env = {});

/// Runs talvo as run_talvo does, with the arguments `args`.
Outcome run_talvo_with(const ScratchDir& dir, const std::vector<std::string>& args,
                       const std::string& input = "",
                       const std::map<std::string, std::string>& env = {});

/// Turns the calling process, a child forked to run the program with its standard
/// streams, directory and environment set, into the program under test (talvo_binary()),
/// with `argv` (its name first, then its arguments, then nullptr; nullptr for none).
/// Never returns.
[[noreturn]] void exec_talvo(char* const argv[] = nullptr);

/// A test with its own scratch directory.
class SessionTest : public ::testing::Test {
 protected:
  Outcome run(const std::string& input, const std::map<std::string, std::string>& env = {}) {
    return run_talvo(dir, input, env);
  }
  ScratchDir dir;
};

/// The store header line, as the program writes it (ISO-8859-1).
inline const std::string kHeader = "-== Cita\xE7\xF5" "es ==-";
/// Empties the data directory and, unless `store` is null, writes it as "citas.txt".
void reset(const ScratchDir& dir, const std::string* store);

/// Whether the runs start the Windows build under Wine (TALVO_TEST_WINE names its
/// talvo.exe) instead of the Linux binary.
inline bool under_wine() {
  const char* exe = std::getenv("TALVO_TEST_WINE");
  return exe != nullptr && *exe != '\0';
}
/// The clear-screen marker of the fake cls. Under Wine the screen is cleared by the
/// command interpreter's own `cls`, which writes nothing to a pipe: the screens are then
/// checked without the marker.
inline const std::string kCls = under_wine() ? "" : "[CLS]";
/// The main menu as printed, between its two clears: "[CLS]" menu text "[CLS]".
std::string menu_screen();
/// The continuation prompt as printed, between its two clears.
std::string continuation_screen();
/// Path of the failure-injection library (see fail_io.c).
std::string fail_io_library();
/// Path of the program under test: the talvo binary, or under Wine a script that starts
/// `wine talvo.exe` (tests/support/wine-talvo).
std::string talvo_binary();

}  // namespace talvo_test
