// Runs of the real program that are cut short by SIGKILL at a chosen moment.
#pragma once

#include <string>

#include "session.h"

namespace reliability {

/// How a run ended.
struct Ending {
  bool killed = false;   ///< SIGKILL ended it while it ran
  int status = -1;       ///< exit status, when it ended by itself
  double seconds = 0;    ///< from start to end
};

/// Runs talvo in `dir.data()` with `input` on standard input (no `cls`, LC_ALL=C, TZ=UTC)
/// and sends SIGKILL `kill_after` seconds after the start; a negative delay lets it end.
Ending run_and_kill(const talvo_test::ScratchDir& dir, const std::string& input, double kill_after);

}  // namespace reliability
