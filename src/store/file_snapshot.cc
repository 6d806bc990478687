// Putting a data file back as it stood before an edit.
#include "file_snapshot.h"

#include <cerrno>
#include <optional>

#include "data_files.h"
#include "file_calls.h"
#include "file_snapshot_platform.h"

using file_snapshot::platform::cut_back_same;
using file_snapshot::platform::identify;

FileSnapshot::FileSnapshot(const char* name)
    : name_(name), old_(name, FileIn::Mode::kRead, links_at(name)) {
  existed_ = name_taken(name);
  long long size = -1;
  if (old_.ok() && identify(old_.fd(), device_, inode_, size)) size_ = size;
}

bool FileSnapshot::restore(const char* scratch) {
  if (!existed_) return file_calls::unlink(name_) || errno == ENOENT;
  if (size_ < 0) return true;  // it could not be read, so no edit could have changed it
  // Still the same file: only cut back, in place, where it grew.
  if (std::optional<bool> cut = cut_back_same(name_, device_, inode_, size_)) return *cut;
  return copy_whole(old_, name_, name_, scratch, size_);
}
