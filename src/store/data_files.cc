// Creation of data files on first need.
#include <sys/stat.h>

#include <cstring>

#include "data_files.h"

void create_file(const char* name) {
  const bool is_store = std::strcmp(name, kStoreFile) == 0;
  // A journal holds entries of the store: it is no more open to others than the store.
  struct stat store {};
  mode_t bits = !is_store && ::stat(kStoreFile, &store) == 0 ? (store.st_mode & 0666) : 0644;
  FileOut file(name, FileOut::Mode::kExclusive, bits);
  // A name that exists is never emptied; one that cannot be created is met by the
  // caller's own open, which reports it.
  if (!file.ok()) return;
  if (is_store) file.put(kStoreHeader);
  file.sync();
}

void file_exists(const char* name) {
  if (!FileIn(name, FileIn::Mode::kRead, links_at(name)).ok()) create_file(name);
}
