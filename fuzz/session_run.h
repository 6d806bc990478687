// Running the real program for the session fuzzer: one run in a scratch directory, with
// given standard input, under a time limit.
#pragma once

#include <string>

namespace fuzzcheck {

/// What a run left behind.
struct SessionRun {
  bool timed_out = false;  ///< killed at the time limit
  bool signalled = false;  ///< ended by a signal
  int status = -1;         ///< exit status, when it exited
  std::string out;         ///< standard output
  std::string err;         ///< standard error (sanitizer reports land here)
};

/// How the program is run.
struct SessionSetup {
  std::string program;   ///< the binary
  std::string dir;       ///< its current directory
  std::string coverage;  ///< passed as TALVO_COVERAGE_FILE when not empty
  bool leak_check = true;  ///< false: ASAN_OPTIONS=detect_leaks=0, for speed
  int seconds = 20;      ///< the time limit
  bool stdout_closed = false;  ///< started with descriptor 1 closed (nothing to read back)
};

/// Runs the program with `input` as standard input (a file), standard output to a file
/// (or closed), no `cls` on PATH, LC_ALL=C and TZ=UTC; kills it at the time limit.
SessionRun run_session(const SessionSetup& setup, const std::string& input);

/// Removes everything in `dir` (files and directories), leaving the directory.
void empty_directory(const std::string& dir);

}  // namespace fuzzcheck
