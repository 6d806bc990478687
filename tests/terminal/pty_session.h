// Test support: the real talvo run on a pseudo-terminal, driven as a user at the keyboard.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>

namespace talvo_test {

/// One run of talvo on a new pseudo-terminal that neither echoes what is typed nor turns
/// "\n" into "\r\n", so what is read back is exactly what the program wrote.
class PtySession {
 public:
  /// Starts talvo in `directory` with exactly the environment `env`, on a terminal that
  /// hands on whole lines (`lines`) or every key as it comes.
  PtySession(const std::string& directory, const std::map<std::string, std::string>& env,
             bool lines = true);
  /// Kills the program if it is still running.
  ~PtySession();
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  /// Reads until `text` has arrived since the last expect (failing the test after a few
  /// seconds) and returns what arrived up to its end.
  std::string expect(const std::string& text);
  /// Types the bytes, as a terminal sends them.
  void type(const std::string& bytes);
  /// Waits for the program to end, reading what it still writes; returns its exit status
  /// (-1 when it had to be killed).
  int finish();
  /// Everything the program wrote so far.
  const std::string& transcript() const { return transcript_; }

 private:
  /// Reads what is there within `timeout_ms`; false at the end or on timeout.
  bool read_some(int timeout_ms);

  pid_t pid_ = -1;
  int master_ = -1;
  std::string transcript_;
  std::size_t seen_ = 0;  // how much of the transcript an expect has consumed
};

}  // namespace talvo_test
