// The real program run over pipes, so that a test can look at its files while it waits
// for an answer, in the middle of a session.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>

#include "session.h"

namespace reliability {

/// One run of talvo in `dir.data()` (no `cls`, LC_ALL=C, TZ=UTC, plus `env`), fed and
/// read through pipes. Killed when it goes, if it still runs.
class LiveSession {
 public:
  LiveSession(const talvo_test::ScratchDir& dir, const std::map<std::string, std::string>& env);
  ~LiveSession();
  LiveSession(const LiveSession&) = delete;
  LiveSession& operator=(const LiveSession&) = delete;

  /// Types `text` on its standard input.
  void send(const std::string& text);
  /// Reads its output until `text` turns up after what earlier waits found; false when the
  /// program ends or 10 seconds pass first.
  bool wait_for(const std::string& text);
  /// Closes its standard input and waits for it to end; its exit status.
  int finish();
  /// Everything it has printed so far.
  const std::string& out() const { return out_; }

 private:
  /// Reads what is there; false at the end of its output or after `timeout_ms`.
  bool read_some(int timeout_ms);

  pid_t pid_ = -1;
  int to_program_ = -1;
  int from_program_ = -1;
  std::string out_;
  std::size_t searched_ = 0;
};

}  // namespace reliability
