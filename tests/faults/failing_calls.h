// Test support: the file calls handed to the platform's own, but for the one call a test
// makes fail, counted by its kind.
#pragma once

#include "file_calls.h"

namespace faults {

/// From now on, the `nth` call (from 1) of the kind `kind` fails, once (0: none fails);
/// every count starts again from 0.
void fail(file_calls::Call kind, int nth);
/// How many calls of the kind were made since the last fail().
int made(file_calls::Call kind);
/// Whether the kernel copies files (as on Linux), or never does (as on Windows, or across
/// file systems): then the copies are made of reads and writes.
void kernel_copies(bool copies);

}  // namespace faults
