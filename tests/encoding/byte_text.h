// Helpers for the encoding tests: texts written as lists of byte values.
#pragma once

#include <initializer_list>
#include <string>

namespace encoding_test {

/// The bytes given by their values, in order (0 gives an embedded NUL).
inline std::string bytes(std::initializer_list<int> values) {
  std::string text;
  for (int v : values) text += static_cast<char>(v);
  return text;
}

/// A text of every byte value from 0x01 to 0xFF, in ascending order.
inline std::string every_byte() {
  std::string text;
  for (int v = 1; v < 256; ++v) text += static_cast<char>(v);
  return text;
}

/// The byte at `i`, as 0-255.
inline int at(const std::string& text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

}  // namespace encoding_test
