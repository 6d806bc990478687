// The file calls on Windows: descriptors over handles opened in binary mode and shared
// for renaming over, synced with FlushFileBuffers, replaced with MoveFileExW; and putting
// back an old store that a rewrite set aside and did not get to remove.
#include <fcntl.h>
#include <io.h>
#include <unistd.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include "file_calls.h"
#include "file_io.h"
#include "reader_gone.h"

namespace {

/// A file name in the form the wide calls take; false when it does not convert.
bool wide_name(const char* name, wchar_t (&wide)[MAX_PATH]) {
  return MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH) > 0;
}

/// Opens a file as a descriptor in binary mode (no carriage return added or dropped),
/// shared so that it can be renamed over or removed while open, as on POSIX. `extra`
/// adds flags to the open, such as the one that lets a directory be opened (and then
/// fail its reads, as on POSIX).
int open_shared(const char* name, DWORD access, DWORD disposition, int flags, DWORD extra = 0) {
  wchar_t wide[MAX_PATH];
  if (!wide_name(name, wide)) return -1;
  HANDLE handle = CreateFileW(wide, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, disposition, FILE_ATTRIBUTE_NORMAL | extra, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return -1;
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

}  // namespace

bool reader_has_gone(unsigned long error) {
  return error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED;
}

namespace file_calls::platform {

int open(const char* name, Open how, bool follow, unsigned bits) {
  (void)follow, (void)bits;  // a link is opened as it stands; the directory's permissions
  switch (how) {
    case Open::kRead:
      return open_shared(name, GENERIC_READ, OPEN_EXISTING, _O_RDONLY, FILE_FLAG_BACKUP_SEMANTICS);
    case Open::kUpdate: return open_shared(name, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, 0);
    case Open::kTruncate: return open_shared(name, GENERIC_WRITE, CREATE_ALWAYS, 0);
    case Open::kAppend: return open_shared(name, GENERIC_WRITE, OPEN_EXISTING, _O_APPEND);
    case Open::kExclusive: return open_shared(name, GENERIC_WRITE, CREATE_NEW, 0);
    case Open::kInPlace: return open_shared(name, GENERIC_WRITE, OPEN_ALWAYS, 0);
  }
  return -1;
}

long read(int fd, void* buffer, std::size_t size) {
  return ::read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

long read_at(int fd, void* buffer, std::size_t size, long long offset) {
  // Read through a copy of the position: the descriptor's own is put back afterwards.
  long long was = _lseeki64(fd, 0, SEEK_CUR);
  if (was < 0 || _lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  long n = read(fd, buffer, size);
  if (_lseeki64(fd, was, SEEK_SET) < 0) return -1;
  return n;
}

long write(int fd, const void* bytes, std::size_t size) {
  long n = ::write(fd, bytes, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
  // The C library does not always call a pipe whose reader has gone EPIPE.
  if (n < 0 && reader_has_gone(GetLastError())) errno = EPIPE;
  return n;
}

bool sync(int fd) { return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd))); }

bool rename(const char* from, const char* to) {
  wchar_t wide_from[MAX_PATH], wide_to[MAX_PATH];
  if (!wide_name(from, wide_from) || !wide_name(to, wide_to)) return false;
  constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (MoveFileExW(wide_from, wide_to, kFlags)) return true;
  // Windows renames over no file that is still open, and the snapshot a replace keeps of
  // the files it may put back holds them open: such a file is renamed aside (open files
  // may be, being shared for it), the new one takes its name and the old one is removed,
  // to go once its last reader closes it.
  // Only a plain file is, never a directory or a read-only file, which no rename replaces.
  if (GetLastError() != ERROR_ACCESS_DENIED && GetLastError() != ERROR_SHARING_VIOLATION)
    return false;
  DWORD attributes = GetFileAttributesW(wide_to);
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
    return false;
  // The old file is set aside under a name no file has, "<name>.talvo-N", made by the
  // rename itself (it replaces nothing): a file of the user's is never touched. Should the
  // run end between the two renames, the next run puts it back (put_back_set_aside_store).
  std::wstring aside;
  for (int n = 1;; ++n) {
    if (n > 9999) return false;
    aside = std::wstring(wide_to) + L".talvo-" + std::to_wstring(n);
    if (MoveFileExW(wide_to, aside.c_str(), MOVEFILE_WRITE_THROUGH)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (!MoveFileExW(wide_from, wide_to, kFlags)) {
    MoveFileExW(aside.c_str(), wide_to, MOVEFILE_WRITE_THROUGH);
    return false;
  }
  DeleteFileW(aside.c_str());
  return true;
}

bool unlink(const char* name) { return ::unlink(name) == 0; }

long copy(int from, long long offset, int to, std::size_t size) {
  (void)from, (void)offset, (void)to, (void)size;
  return -1;  // no kernel copy: the caller reads and writes
}

}  // namespace file_calls::platform

void put_back_set_aside_store(const char* store) {
  wchar_t wide[MAX_PATH];
  if (!wide_name(store, wide) || GetFileAttributesW(wide) != INVALID_FILE_ATTRIBUTES) return;
  // The newest of the old stores a rewrite set aside and could not remove.
  const std::wstring prefix = std::wstring(wide) + L".talvo-";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((prefix + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::wstring newest;
  FILETIME newest_time{};
  do {
    const std::wstring name = found.cFileName;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::wstring number = name.substr(prefix.size());
    if (number.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    if (newest.empty() || CompareFileTime(&found.ftLastWriteTime, &newest_time) > 0) {
      newest = name;
      newest_time = found.ftLastWriteTime;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  if (!newest.empty()) MoveFileExW(newest.c_str(), wide, MOVEFILE_WRITE_THROUGH);
}
