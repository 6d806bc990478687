// The console's platform parts: finding and running the `cls` program that clears the screen.
#pragma once

#include <string>

namespace console::platform {

/// The full path of an executable named `cls` in one of PATH's directories, or "".
/// Only absolute directories count: an empty entry or "." would run whatever `cls` the
/// collection's own directory holds.
std::string find_cls();

/// Runs `cls` directly, no shell between, and waits for it; its result does not matter.
/// On Windows `cls` is the command interpreter's own command: it is handed to it.
void run_cls(const std::string& cls_path);

}  // namespace console::platform
