// Code page 850 to and from the UTF-16 of a Windows console's wide reads and writes.
#include "wide_text.h"

#include "cp850.h"

namespace wide_text {
namespace {

/// What a character the code page lacks, or a broken surrogate, becomes.
constexpr unsigned char kUnknown = '?';

constexpr bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void widen(const char* cp850, std::size_t size, char16_t* out) {
  for (std::size_t i = 0; i < size; ++i)
    out[i] = static_cast<char16_t>(cp850::to_unicode(static_cast<unsigned char>(cp850[i])));
}

std::size_t Narrower::feed(const char16_t* in, std::size_t size, unsigned char* out) {
  std::size_t written = 0;
  for (std::size_t i = 0; i < size; ++i) {
    char16_t unit = in[i];
    if (pending_high_) {
      pending_high_ = false;
      out[written++] = kUnknown;  // the pair's one character, or the lone high half
      if (is_low_surrogate(unit)) continue;
    }
    if (is_high_surrogate(unit)) {
      pending_high_ = true;
    } else if (is_low_surrogate(unit)) {
      out[written++] = kUnknown;
    } else {
      int byte = cp850::from_unicode(unit);
      out[written++] = byte < 0 ? kUnknown : static_cast<unsigned char>(byte);
    }
  }
  return written;
}

std::size_t Narrower::finish(unsigned char* out) {
  if (!pending_high_) return 0;
  pending_high_ = false;
  *out = kUnknown;
  return 1;
}

long console_typing(const char16_t* units, std::size_t count, unsigned char* out) {
  constexpr char16_t kCtrlZ = 0x1A;
  if (count == 0 || units[0] == kCtrlZ) return -1;
  Narrower narrower;
  std::size_t n = narrower.feed(units, count, out);
  n += narrower.finish(out + n);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (out[i] != '\r') out[kept++] = out[i];
  return static_cast<long>(kept);
}

}  // namespace wide_text
