// Test support: the program's file calls, each handed to the platform's own but the one
// call a test makes fail.
#pragma once

#include "file_calls.h"

namespace faults {

/// From now on the `nth` call (from 1) of the kind fails, once (0: none); counts restart.
void fail(file_calls::Call kind, int nth);
/// How many calls of the kind were made since the last fail().
int made(file_calls::Call kind);
/// Whether the kernel copies files (Linux), or never does (Windows, across file systems).
void kernel_copies(bool copies);

}  // namespace faults
