// Standard input and output on Windows: the standard handles, whose consoles are read
// and written in UTF-16.
#include "std_streams.h"

#include <windows.h>

#include <algorithm>

#include "reader_gone.h"
#include "wide_text.h"

namespace std_streams {

namespace {

/// The handle, when it is a console (its console mode can be read).
bool is_console(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

/// The console's typing, narrowed to code page 850 with its carriage returns dropped
/// (Enter gives "\r\n"); Ctrl-Z at the start of a read ends the input, as in every
/// Windows console program.
long read_console(HANDLE in, unsigned char* buffer, std::size_t size) {
  constexpr std::size_t kUnits = 1024;
  wchar_t units[kUnits + 1];
  unsigned char narrow[kUnits + 1 + wide_text::Narrower::kExtra];
  // One unit is kept in hand for the low half of a pair cut by the end of a read.
  const std::size_t room = std::min(size, kUnits);
  const std::size_t want = room > 1 ? room - 1 : 1;
  for (;;) {
    DWORD got = 0;
    if (!ReadConsoleW(in, units, static_cast<DWORD>(want), &got, nullptr)) return -1;
    if (got > 0 && units[got - 1] >= 0xD800 && units[got - 1] <= 0xDBFF) {
      DWORD more = 0;  // the rest of a typed line is already waiting: this does not block
      if (ReadConsoleW(in, units + got, 1, &more, nullptr)) got += more;
    }
    long kept = wide_text::console_typing(reinterpret_cast<const char16_t*>(units), got, narrow);
    if (kept < 0) return 0;
    if (kept > 0) {
      std::size_t n = std::min(static_cast<std::size_t>(kept), size);
      std::copy(narrow, narrow + n, buffer);
      return static_cast<long>(n);
    }
    // only a carriage return so far: read on
  }
}

/// Shows code page 850 bytes on the console as their characters.
long write_console(HANDLE out, const char* bytes, std::size_t size) {
  constexpr std::size_t kUnits = 2048;
  char16_t units[kUnits];
  std::size_t n = size < kUnits ? size : kUnits;
  wide_text::widen(bytes, n, units);
  DWORD done = 0;
  if (!WriteConsoleW(out, reinterpret_cast<const wchar_t*>(units), static_cast<DWORD>(n), &done,
                     nullptr))
    return -1;
  return static_cast<long>(done);
}

}  // namespace

long read_input(unsigned char* buffer, std::size_t size) {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  if (is_console(in)) return read_console(in, buffer, size);
  DWORD got = 0;
  if (!ReadFile(in, buffer, static_cast<DWORD>(size), &got, nullptr))
    return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;  // a pipe whose writer has gone
  return static_cast<long>(got);
}

long write_output(const char* bytes, std::size_t size) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (is_console(out)) return write_console(out, bytes, size);
  DWORD done = 0;
  if (!WriteFile(out, bytes, static_cast<DWORD>(size), &done, nullptr)) {
    return reader_has_gone(GetLastError()) ? kReaderGone : -1;
  }
  return static_cast<long>(done);
}

bool input_is_terminal() { return is_console(GetStdHandle(STD_INPUT_HANDLE)); }

bool output_is_terminal() { return is_console(GetStdHandle(STD_OUTPUT_HANDLE)); }

}  // namespace std_streams
