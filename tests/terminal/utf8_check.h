// Test helpers: glibc's own iconv, as an outside witness of what UTF-8 and code page 850 are.
#pragma once

#include <optional>
#include <string>

namespace talvo_test {

/// The text converted between two iconv character sets, or nothing when iconv finds it
/// malformed or holding a character the target lacks.
std::optional<std::string> iconv_convert(const std::string& text, const char* from, const char* to);
/// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool valid_utf8(const std::string& text);

}  // namespace talvo_test
