// Code page 850: the console's character set, and console text written as readable literals.
#pragma once

#include <cstddef>

namespace cp850 {

/// Unicode code point of each code page 850 byte above 0x7F (below it, ASCII).
inline constexpr char16_t kHighHalf[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 0x80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 0x88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 0x90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,  // 0x98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // 0xA0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // 0xA8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // 0xB0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,  // 0xB8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // 0xC0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // 0xC8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,  // 0xD0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,  // 0xD8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // 0xE0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,  // 0xE8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // 0xF0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,  // 0xF8
};

/// Unicode code point that the code page 850 byte stands for.
constexpr char32_t to_unicode(unsigned char byte) {
  return byte < 0x80 ? byte : kHighHalf[byte - 0x80];
}

/// The code page 850 byte for a code point, or -1 when the code page lacks it.
constexpr int from_unicode(char32_t code) {
  if (code < 0x80) return static_cast<int>(code);
  for (int i = 0; i < 128; ++i)
    if (kHighHalf[i] == code) return 0x80 + i;
  return -1;
}

/// A UTF-8 string literal turned, at compile time, into code page 850 bytes.
/// A character the code page lacks, or malformed UTF-8, fails the build.
template <std::size_t N>
struct Literal {
  char bytes[N]{};
  consteval Literal(const char (&utf8)[N]) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < N && utf8[i] != '\0';) {
      auto lead = static_cast<unsigned char>(utf8[i]);
      char32_t code = lead;
      int extra = 0;
      if (lead >= 0xF0) {
        code = lead & 0x07;
        extra = 3;
      } else if (lead >= 0xE0) {
        code = lead & 0x0F;
        extra = 2;
      } else if (lead >= 0xC0) {
        code = lead & 0x1F;
        extra = 1;
      } else if (lead >= 0x80) throw "malformed UTF-8 in a console literal";
      for (int k = 1; k <= extra; ++k)
        code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
      int byte = from_unicode(code);
      if (byte < 0) throw "character missing from code page 850";
      bytes[out++] = static_cast<char>(byte);
      i += 1 + extra;
    }
  }
};

}  // namespace cp850

/// "História"_cp is the NUL-terminated code page 850 text of the literal.
template <cp850::Literal L>
consteval const char* operator""_cp() {
  return L.bytes;
}
