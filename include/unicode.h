// Unicode at the program's edges: the one UTF-8 decoder and encoder, code page 850 text to
// and from UTF-8, and the question of the locale's character set.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// The character set of text read and written outside the console's own code page:
/// the verbs' arguments, input and output, and a terminal's typing.
enum class Charset { kUtf8, kCp850 };

namespace unicode {

/// What the decoder hands out for a malformed sequence.
inline constexpr char32_t kMalformed = 0xFFFFFFFF;

/// UTF-8 decoded a byte at a time, so a sequence split between two reads is joined up.
/// Malformed, each counted once: a stray continuation byte, a byte F8-FF, a sequence cut
/// short (the byte that cuts it begins afresh), an overlong form, a surrogate, a code
/// past U+10FFFF.
class Utf8Decoder {
 public:
  /// Takes one byte; hands `emit` each character it completes, and kMalformed for each
  /// malformed sequence it ends: at most two calls a byte.
  template <class Emit>
  void take(unsigned char byte, Emit&& emit) {
    if (missing_ > 0) {
      if ((byte & 0xC0) == 0x80) {
        code_ = (code_ << 6) | (byte & 0x3F);
        if (--missing_ == 0) emit(complete());
        return;
      }
      missing_ = 0;
      emit(kMalformed);
    }
    if (byte < 0x80) emit(static_cast<char32_t>(byte));
    else if (!start(byte)) emit(kMalformed);
  }
  /// The input has ended: a sequence still unfinished is malformed.
  template <class Emit>
  void finish(Emit&& emit) {
    if (missing_ == 0) return;
    missing_ = 0;
    emit(kMalformed);
  }

 private:
  /// Begins a sequence with a byte that is not ASCII; false when it begins none.
  bool start(unsigned char lead);
  /// The character of the whole sequence just read, or kMalformed.
  char32_t complete() const;

  char32_t code_ = 0;  // the bits gathered so far
  int length_ = 0;     // the length its lead byte announced
  int missing_ = 0;    // continuation bytes still to come (0: none under way)
};

/// Decodes the whole of `text`, given in `charset`, into `out`; false at the first
/// malformed UTF-8 sequence (code page 850 text is never malformed).
bool decode(std::string_view text, Charset charset, std::u32string& out);

/// Appends the UTF-8 form of the code point `code` to `out`.
void append_utf8(char32_t code, std::string& out);

/// Appends to `utf8` the UTF-8 text of the code page 850 bytes: each byte becomes the
/// character it stands for; 0x00-0x7F, control characters included, stay as they are.
void cp850_to_utf8(std::string_view cp850, std::string& utf8);

/// Turns the UTF-8 a terminal sends into code page 850 bytes, one per character: a
/// character the code page lacks, and each malformed sequence, gives one '?'.
class TerminalDecoder {
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
  Utf8Decoder decoder_;
};

/// Whether a character set name, as nl_langinfo(CODESET) gives it, names UTF-8
/// ("UTF-8", "utf8", in any letter case).
bool is_utf8_name(std::string_view codeset);

/// Whether a POSIX terminal speaks UTF-8: the character set of the environment's locale
/// (LC_ALL, LC_CTYPE, LANG). The process's own locale is put back as it was. Never on
/// Windows, whose console is read and written in UTF-16 instead.
bool terminal_is_utf8();

/// The character set of the verbs' text: UTF-8 when the environment's locale's is. On
/// Windows, which has no locale variables of its own, the first of LC_ALL, LC_CTYPE and
/// LANG that is set is read as on POSIX (by the character set after its dot), and
/// without any the system's ANSI code page tells.
Charset locale_charset();

}  // namespace unicode
