// Test helper: runs the terminal decoder over a few reads, as the console feeds it.
#pragma once

#include <string>
#include <vector>

#include "unicode.h"

namespace talvo_test {

/// The code page 850 bytes that the reads give, one feed each, then the end of input.
/// Fails the test when a feed writes more than it may.
std::string decode_reads(const std::vector<std::string>& reads);

/// The same for one read.
inline std::string decode(const std::string& utf8) { return decode_reads({utf8}); }

}  // namespace talvo_test
