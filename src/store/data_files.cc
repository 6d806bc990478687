// Creation of data files on first need.
#include <cstring>

#include "data_files.h"
#include "store.h"

void create_file(const char* name) {
  FileOut file(name, FileOut::Mode::kTruncate);
  if (std::strcmp(name, kStoreFile) == 0) file.put(kStoreHeader);
  // A file that cannot be created is met by the caller's own open, which reports it.
  file.sync();
}

void file_exists(const char* name) {
  if (!FileIn(name).ok()) create_file(name);
}
