// The parts of a data file's snapshot that each platform does its own way: which file is
// open, and putting back in place a file that only grew.
#pragma once

#include <optional>

namespace file_snapshot::platform {

/// Which file is open at `fd` (device and inode, or volume and file index) and its size;
/// false when that cannot be learnt.
bool identify(int fd, unsigned long long& device, unsigned long long& inode, long long& size);

/// When `name` is still the file that `device` and `inode` identify, cuts it back to
/// `size` bytes (where it is longer) and tells whether it now has them; nothing when
/// another file, or none, stands at `name`.
std::optional<bool> cut_back_same(const char* name, unsigned long long device,
                                  unsigned long long inode, long long size);

}  // namespace file_snapshot::platform
