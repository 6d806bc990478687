// The locale's character set on Windows: the locale variables as on POSIX, else the system's
// ANSI code page.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "unicode.h"

namespace unicode {

bool terminal_is_utf8() {
  return false;  // a Windows console is read and written in UTF-16, whatever its code page
}

Charset locale_charset() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    const char* dot = std::strchr(value, '.');
    if (dot == nullptr) return Charset::kCp850;
    std::string_view set(dot + 1);
    set = set.substr(0, set.find('@'));
    return is_utf8_name(set) ? Charset::kUtf8 : Charset::kCp850;
  }
  return GetACP() == CP_UTF8 ? Charset::kUtf8 : Charset::kCp850;
}

}  // namespace unicode
