// Unicode at the program's edges: the UTF-8 decoder and encoder.
#include "unicode.h"

#include "cp850.h"

namespace unicode {
namespace {

/// What a character the code page lacks, or a malformed sequence, becomes on a terminal.
constexpr unsigned char kUnknown = '?';

/// The smallest code a sequence of `length` bytes may carry without being overlong.
constexpr char32_t smallest_code(int length) {
  return length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
}

}  // namespace

bool Utf8Decoder::start(unsigned char lead) {
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
    return false;
  }
  missing_ = length_ - 1;
  return true;
}

char32_t Utf8Decoder::complete() const {
  // An overlong form would pass for a plain ASCII byte.
  if (code_ < smallest_code(length_)) return kMalformed;
  if ((code_ >= 0xD800 && code_ <= 0xDFFF) || code_ > 0x10FFFF) return kMalformed;
  return code_;
}

bool decode(std::string_view text, Charset charset, std::u32string& out) {
  out.clear();
  out.reserve(text.size());  // at most one character a byte
  if (charset == Charset::kCp850) {
    for (char c : text) out += cp850::to_unicode(static_cast<unsigned char>(c));
    return true;
  }
  Utf8Decoder decoder;
  bool whole = true;
  auto emit = [&](char32_t code) {
    if (code == kMalformed) whole = false;
    else out += code;
  };
  for (char c : text) decoder.take(static_cast<unsigned char>(c), emit);
  decoder.finish(emit);
  return whole;
}

void append_utf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void cp850_to_utf8(std::string_view cp850, std::string& utf8) {
  utf8.reserve(utf8.size() + cp850.size() * 2);
  for (char c : cp850) append_utf8(cp850::to_unicode(static_cast<unsigned char>(c)), utf8);
}

std::size_t TerminalDecoder::feed(const unsigned char* in, std::size_t size, unsigned char* out) {
  std::size_t written = 0;
  auto emit = [&](char32_t code) {
    int byte = code == kMalformed ? -1 : cp850::from_unicode(code);
    out[written++] = byte < 0 ? kUnknown : static_cast<unsigned char>(byte);
  };
  for (std::size_t i = 0; i < size; ++i) decoder_.take(in[i], emit);
  return written;
}

std::size_t TerminalDecoder::finish(unsigned char* out) {
  std::size_t written = 0;
  decoder_.finish([&](char32_t) { out[written++] = kUnknown; });
  return written;
}

bool is_utf8_name(std::string_view codeset) {
  std::string letters;
  for (char c : codeset) {
    if (c == '-' || c == '_') continue;
    letters += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return letters == "utf8";
}

}  // namespace unicode
