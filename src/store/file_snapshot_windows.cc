// A data file's snapshot on Windows: files known by volume and file index, cut back
// through a descriptor.
#include "file_snapshot_platform.h"

#include <io.h>
#include <windows.h>

#include "data_files.h"
#include "file_io.h"

namespace file_snapshot::platform {

bool identify(int fd, unsigned long long& device, unsigned long long& inode, long long& size) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &info))
    return false;
  device = info.dwVolumeSerialNumber;
  inode = static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  size = static_cast<long long>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  return true;
}

std::optional<bool> cut_back_same(const char* name, unsigned long long device,
                                  unsigned long long inode, long long size) {
  unsigned long long now_device = 0, now_inode = 0;
  long long now_size = -1;
  bool same = false;
  {
    FileIn now(name, FileIn::Mode::kRead, links_at(name));
    same = now.ok() && identify(now.fd(), now_device, now_inode, now_size) &&
           now_device == device && now_inode == inode;
  }
  if (same) {
    if (now_size == size) return true;
    FileOut grown(name, FileOut::Mode::kInPlace);
    return grown.cut_back(size) && grown.close();
  }
  return std::nullopt;
}

}  // namespace file_snapshot::platform
