// The text of the command-line verbs: what they write, in the locale's character set
// (UTF-8 or code page 850).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "file_io.h"
#include "unicode.h"

/// Appends to `out` the text of the file bytes `file`, as the menu shows it, in `charset`.
void file_to_text(std::string_view file, Charset charset, std::string& out);
/// Appends to `out` the code page 850 text `console` in `charset`.
void console_to_text(std::string_view console, Charset charset, std::string& out);

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

/// Writes a message (code page 850, a program's message, then `argument`, already in
/// `charset`) and a newline to standard error, in `charset`.
void say_error(Charset charset, std::string_view message, std::string_view argument = {});
