// The locale's character set on POSIX: what nl_langinfo says of the environment's locale.
#include <langinfo.h>

#include <clocale>
#include <string>

#include "unicode.h"

namespace unicode {

bool terminal_is_utf8() {
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  std::string saved = current != nullptr ? current : "C";
  bool utf8 = false;
  if (std::setlocale(LC_CTYPE, "") != nullptr) utf8 = is_utf8_name(nl_langinfo(CODESET));
  std::setlocale(LC_CTYPE, saved.c_str());
  return utf8;
}

Charset locale_charset() { return terminal_is_utf8() ? Charset::kUtf8 : Charset::kCp850; }

}  // namespace unicode
