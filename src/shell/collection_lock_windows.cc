// The collection's lock on Windows: the directory opened in a share mode that a second
// such opening conflicts with.
#include "collection_lock.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

CollectionLock::CollectionLock() {
  // Windows locks no directory. The directory is opened for adding files, a right this
  // opening shares with no other: a second run's same opening fails with a sharing
  // violation until the first run's handle goes, with its process. Listing the directory
  // and reading and writing its files (this run's and other programs') are not affected.
  HANDLE handle = CreateFileW(L".", FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    refused_ = GetLastError() == ERROR_SHARING_VIOLATION;
    return;
  }
  fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_NOINHERIT);
  if (fd_ < 0) CloseHandle(handle);
}
