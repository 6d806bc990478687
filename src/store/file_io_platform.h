// The parts of the file layer that each platform does its own way.
#pragma once

#include <string>

#include "file_io.h"

namespace file_io::platform {

/// Moves where the file open at `fd` stands to `offset`; false on an error.
bool seek_to(int fd, long long offset);
/// Cuts the file open at `fd` back to `size` bytes; false on an error.
bool cut_to(int fd, long long size);

/// Forces a directory's entries (a rename) to disk.
bool sync_directory(const std::string& dir);

/// Whether `dir` is another directory than the current one.
bool elsewhere(const std::string& dir);

/// Gives the scratch file open in `out`, which is to replace `target`, its permission
/// bits (and owner) as `bits` and `bits_like` say; closes `out` when they cannot be set.
void give_bits(FileOut& out, const std::string& target, const char* bits_like, Bits bits);

}  // namespace file_io::platform
