// Byte-for-byte copies: the safety and backup copies, the restores, and putting a file back.
#include <cstring>

#include "data_files.h"

bool copy_into(FileIn& source, Rewrite& copy, long long size) {
  if (size < 0) size = file_size(source.fd());
  if (size < 0 || !copy.ok()) return false;
  copy.out().copy_from(source.fd(), 0, size);
  return copy.commit();
}

Rewrite copy_rewrite(const char* source_name, const char* target, const char* scratch) {
  // The store itself is replaced through a symbolic link, so the link stays a link, and
  // keeps its bits; a copy is never more open than the store, nor than the copy it replaces.
  const bool is_store = std::strcmp(target, kStoreFile) == 0;
  return Rewrite(target, scratch, is_store ? source_name : kStoreFile, is_store,
                 is_store ? Bits::kKept : Bits::kNoWider);
}

bool copy_whole(FileIn& source, const char* source_name, const char* target, const char* scratch,
                long long size) {
  Rewrite copy = copy_rewrite(source_name, target, scratch);
  return copy_into(source, copy, size);
}
