// The text of the command-line verbs: what they read and write, in the locale's character
// set (UTF-8 or code page 850), crossing to and from the file code page (ISO-8859-1).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "file_io.h"

/// The character set of the verbs' text.
enum class Charset { kUtf8, kCp850 };

/// UTF-8 when the character set of the environment's locale is UTF-8, else code page 850.
Charset verb_charset();

/// Appends to `out` the file code page text `file` in `charset`: ISO-8859-1 bytes become
/// their UTF-8 characters, or code page 850 bytes as the console shows them.
void file_to_text(std::string_view file, Charset charset, std::string& out);
/// Appends to `out` (file code page) the text `text` given in `charset`. False, with `out`
/// unspecified, when the text is not valid UTF-8 or holds a character ISO-8859-1 lacks.
bool text_to_file(std::string_view text, Charset charset, std::string& out);
/// The code page 850 text `text` given in `charset` (a character the code page lacks, or
/// a malformed sequence, becomes '?', as the console takes it from a UTF-8 terminal).
std::string text_to_console(std::string_view text, Charset charset);
/// Appends to `out` the code page 850 text `console` in `charset`.
void console_to_text(std::string_view console, Charset charset, std::string& out);
/// Appends the UTF-8 form of the code point `code` to `out`.
void append_utf8(char32_t code, std::string& out);

/// Standard output for the verbs, buffered, in the verbs' character set.
class VerbOutput {
 public:
  explicit VerbOutput(Charset charset) : out_(1), charset_(charset) {}
  /// The character set written.
  Charset charset() const { return charset_; }
  /// Writes bytes as they are (already in the output's character set).
  void raw(std::string_view bytes) { out_.write(bytes.data(), bytes.size()); }
  /// Writes file code page text.
  void file_text(std::string_view file);
  /// Writes code page 850 text (a message of the program).
  void console_text(std::string_view console);
  /// Hands everything out; false when a write failed (a closed pipe, a full disk).
  bool flush() { return out_.flush(); }
  /// Whether a write has failed so far: the reader may have gone.
  bool failed() const { return out_.failed(); }
  /// The system's error number of the first failed write (0 when none failed).
  int error() const { return out_.error(); }

 private:
  FileOut out_;
  Charset charset_;
  std::string scratch_;
};

/// Writes a message (code page 850, a program's message, then `argument` as typed) and a
/// newline to standard error, in `charset`.
void say_error(Charset charset, std::string_view message, std::string_view argument = {});
