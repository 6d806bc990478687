// The bridge between the code page 850 console and a terminal that speaks UTF-8.
#include "terminal.h"

#ifndef _WIN32
#include <langinfo.h>
#endif

#include <clocale>
#include <string>

#include "cp850.h"
#include "verb_text.h"

namespace terminal {
namespace {

/// What a character the code page lacks, or a malformed sequence, becomes.
constexpr unsigned char kUnknown = '?';

/// Whether the byte continues a UTF-8 sequence (10xxxxxx).
constexpr bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

/// The smallest code a sequence of `length` bytes may carry without being overlong.
constexpr char32_t smallest_code(int length) {
  return length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
}

}  // namespace

bool is_utf8_name(std::string_view codeset) {
  std::string letters;
  for (char c : codeset) {
    if (c == '-' || c == '_') continue;
    letters += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return letters == "utf8";
}

bool locale_is_utf8() {
#ifdef _WIN32
  return false;  // a Windows console is read and written in UTF-16, whatever its code page
#else
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  std::string saved = current != nullptr ? current : "C";
  bool utf8 = false;
  if (std::setlocale(LC_CTYPE, "") != nullptr) utf8 = is_utf8_name(nl_langinfo(CODESET));
  std::setlocale(LC_CTYPE, saved.c_str());
  return utf8;
#endif
}

void encode(std::string_view cp850, std::string& utf8) {
  utf8.reserve(utf8.size() + cp850.size() * 2);
  for (char c : cp850) append_utf8(cp850::to_unicode(static_cast<unsigned char>(c)), utf8);
}

std::size_t Decoder::feed(const unsigned char* in, std::size_t size, unsigned char* out) {
  std::size_t written = 0;
  for (std::size_t i = 0; i < size; ++i) written += take(in[i], out + written);
  return written;
}

std::size_t Decoder::finish(unsigned char* out) {
  if (missing_ == 0) return 0;
  missing_ = 0;
  *out = kUnknown;
  return 1;
}

std::size_t Decoder::take(unsigned char byte, unsigned char* out) {
  std::size_t written = 0;
  if (missing_ > 0) {
    if (is_continuation(byte)) {
      code_ = (code_ << 6) | (byte & 0x3F);
      if (--missing_ > 0) return 0;
      *out = complete();
      return 1;
    }
    missing_ = 0;  // cut short: one '?' for it, and the byte begins afresh
    out[written++] = kUnknown;
  }
  if (byte < 0x80) {
    out[written++] = byte;
    return written;
  }
  return written + start(byte, out + written);
}

std::size_t Decoder::start(unsigned char lead, unsigned char* out) {
  if (lead >= 0xC0 && lead <= 0xDF) {
    length_ = 2;
    code_ = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length_ = 3;
    code_ = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF7) {
    length_ = 4;
    code_ = lead & 0x07;
  } else {  // a stray continuation byte, or F8-FF, which begin nothing
    *out = kUnknown;
    return 1;
  }
  missing_ = length_ - 1;
  return 0;
}

unsigned char Decoder::complete() const {
  // An overlong form would pass for a plain ASCII byte; surrogates and codes past
  // U+10FFFF are not in the code page, so they come out as '?' below.
  if (code_ < smallest_code(length_)) return kUnknown;
  int byte = cp850::from_unicode(code_);
  return byte < 0 ? kUnknown : static_cast<unsigned char>(byte);
}

}  // namespace terminal
