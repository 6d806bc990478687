// The bridge between the code page 850 console and a terminal that speaks UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace terminal {

/// Whether a character set name, as nl_langinfo(CODESET) gives it, names UTF-8
/// ("UTF-8", "utf8", in any letter case).
bool is_utf8_name(std::string_view codeset);

/// Whether the character set of the environment's locale (LC_ALL, LC_CTYPE, LANG) is
/// UTF-8. The process's own locale is put back as it was: the answer is all it is used for.
/// Never on Windows, whose console is read and written in UTF-16 instead.
bool locale_is_utf8();

/// Appends to `utf8` the UTF-8 text of the code page 850 bytes: each byte becomes the
/// character it stands for; 0x00-0x7F, control characters included, stay as they are.
void encode(std::string_view cp850, std::string& utf8);

/// Turns the UTF-8 a terminal sends into code page 850 bytes, one per character. A
/// character the code page lacks, and each malformed sequence (a stray continuation
/// byte, a sequence cut short, an overlong form, a surrogate, a code past U+10FFFF, a
/// byte F8-FF), gives one '?'. A sequence split between two reads is joined up.
class Decoder {
 public:
  /// How many more bytes than it is fed one feed may give (an earlier, unfinished
  /// sequence that the new bytes break off).
  static constexpr std::size_t kExtra = 1;

  /// Decodes `size` bytes of `in` into `out`, which has room for size + kExtra bytes
  /// and does not overlap `in`. Returns how many bytes were written to `out`.
  std::size_t feed(const unsigned char* in, std::size_t size, unsigned char* out);
  /// The input has ended: an unfinished sequence gives '?'. Returns 0 or 1, the bytes
  /// written to `out`.
  std::size_t finish(unsigned char* out);

 private:
  /// Takes one byte; writes at most two bytes to `out` and returns how many.
  std::size_t take(unsigned char byte, unsigned char* out);
  /// Begins a sequence with a byte that is not ASCII; returns bytes written (0 or 1).
  std::size_t start(unsigned char lead, unsigned char* out);
  /// The code page 850 byte of the whole sequence just read.
  unsigned char complete() const;

  char32_t code_ = 0;   // the bits gathered so far
  int length_ = 0;      // the length its lead byte announced
  int missing_ = 0;     // continuation bytes still to come (0: none under way)
};

}  // namespace terminal
