// The file layer's Windows parts: descriptors over handles, whose sizes and lengths are
// learnt and set through the handle, and a rewrite that replaces a link as it stands.
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "file_io.h"
#include "file_io_platform.h"

namespace {

/// The handle under a descriptor.
HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

bool file_io::platform::seek_to(int fd, long long offset) {
  return _lseeki64(fd, offset, SEEK_SET) >= 0;
}

bool file_io::platform::cut_to(int fd, long long size) { return _chsize_s(fd, size) == 0; }

void FileOut::start_writeback() {
  written_back_ = written_;  // no head start: sync() alone forces the file to disk
}

bool name_taken(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

long long file_size(int fd) {
  // A directory opened for reading tells a size of 0, which would pass for an empty file.
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle_of(fd), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return -1;
  return static_cast<long long>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
}

std::string replaced_file(const char* name, bool through_link) {
  (void)through_link;  // a link on Windows is replaced as it stands, like any file
  return name;
}

namespace file_io::platform {

bool sync_directory(const std::string& dir) {
  (void)dir;  // the rename was written through; a directory cannot be synced
  return true;
}

bool elsewhere(const std::string& dir) { return dir != "."; }

void give_bits(FileOut& out, const std::string& target, const char* bits_like, Bits bits) {
  (void)out, (void)target;
  (void)bits_like, (void)bits;  // the new file has the directory's permissions
}

}  // namespace file_io::platform
