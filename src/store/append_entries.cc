// Appending entries to a data file in one synced append: all of them, or none.
#include "data_files.h"

Appended append_entries(const char *name, const std::function<void(FileOut &)> &put) {
  file_exists(name);
  FileOut file(name, FileOut::Mode::kAppend, 0644, links_at(name));
  if (!file.ok()) return Appended::kNotOpened;
  const long long before = file_size(file.fd());
  put(file);
  if (file.sync()) return Appended::kDone;
  // A part left behind would spoil the next entry read.
  if (before >= 0) file.cut_back(before);
  return Appended::kNotWritten;
}
