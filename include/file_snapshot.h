// A data file as it stood before an edit, held so that it can be put back byte for byte.
#pragma once

#include "file_io.h"

/// Takes note of a data file: whether it is there, its size and which file it is, and
/// holds it open. The edits that follow only ever append to a file in place or put a new
/// file in its place, so the old bytes stay readable through the held file either way.
class FileSnapshot {
 public:
  explicit FileSnapshot(const char* name);
  FileSnapshot(const FileSnapshot&) = delete;
  FileSnapshot& operator=(const FileSnapshot&) = delete;

  /// Puts the file back as it was: removed when it was not there, cut back when it is
  /// the same file grown, otherwise rewritten from its old bytes through `scratch`.
  /// False when that cannot be done.
  bool restore(const char* scratch);

 private:
  const char* name_;
  bool existed_;
  FileIn old_;
  long long size_ = -1;
  unsigned long long device_ = 0;  // which file it is: its device (volume) and inode (index)
  unsigned long long inode_ = 0;
};
