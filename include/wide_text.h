// Code page 850 to and from the UTF-16 of a Windows console's wide reads and writes.
#pragma once

#include <cstddef>

namespace wide_text {

/// Writes to `out` the UTF-16 unit of each of the `size` code page 850 bytes (the code
/// page holds nothing past the Basic Multilingual Plane: one unit a byte). `out` has
/// room for `size` units.
void widen(const char* cp850, std::size_t size, char16_t* out);

/// Turns what a Windows console hands a wide read into code page 850 bytes, one per
/// character: a character the code page lacks, a pair of surrogates (a character past
/// the Basic Multilingual Plane) and a lone surrogate each give one '?'. A pair split
/// between two reads is joined up.
class Narrower {
 public:
  /// How many more bytes than units one feed may give (a high surrogate left from the
  /// last feed that the new units do not complete).
  static constexpr std::size_t kExtra = 1;

  /// Turns `size` units of `in` into bytes in `out`, which has room for size + kExtra
  /// bytes. Returns how many bytes were written.
  std::size_t feed(const char16_t* in, std::size_t size, unsigned char* out);
  /// The input has ended: a high surrogate still waiting gives '?'. Returns 0 or 1,
  /// the bytes written to `out`.
  std::size_t finish(unsigned char* out);

 private:
  bool pending_high_ = false;  // a high surrogate read, its low half not yet seen
};

/// What one read of a Windows console in line mode hands over (`count` units, surrogate
/// pairs whole), as the program reads it: code page 850 bytes as the Narrower gives them,
/// with the carriage returns dropped (Enter gives "\r\n"). `out` has room for count +
/// Narrower::kExtra bytes. Returns how many bytes were written, or -1 when the read is
/// the end of the input: nothing, or a line begun with Ctrl-Z, as every console program
/// takes it.
long console_typing(const char16_t* units, std::size_t count, unsigned char* out);

}  // namespace wide_text
