// Test helpers: glibc's own iconv, as an outside witness of what UTF-8 and code page 850 are.
#include "utf8_check.h"

#include <iconv.h>

#include <vector>

namespace talvo_test {

std::optional<std::string> iconv_convert(const std::string& text, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = text;
  std::vector<char> out(text.size() * 4 + 16);
  char* in_ptr = in.data();
  char* out_ptr = out.data();
  std::size_t in_left = in.size(), out_left = out.size();
  std::size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
  return std::string(out.data(), out.size() - out_left);
}

bool valid_utf8(const std::string& text) {
  return iconv_convert(text, "UTF-8", "UTF-32LE").has_value();
}

}  // namespace talvo_test
