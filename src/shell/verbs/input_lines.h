// The lines of an input file read a piece at a time: its byte order mark skipped, CR LF
// taken as a line end, and what makes it unreadable (a NUL byte, an overlong line,
// bytes that are not UTF-8 where UTF-8 is read) found as the lines go by.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "file_io.h"

/// The lines of an input, one at a time, never the whole input at once.
class InputLines {
 public:
  /// The longest line taken, without its line end.
  static constexpr std::size_t kLongestLine = 64 * 1024;

  /// The lines of `in`, which stays open while they are read; checked as UTF-8 when
  /// `utf8` is set or the input begins with a UTF-8 byte order mark.
  InputLines(FileIn& in, bool utf8) : in_(&in), utf8_(utf8) {}
  /// The lines of `text`, held by the caller.
  InputLines(std::string_view text, bool utf8);

  /// The next line, without its line end ("\n", or "\r\n"); false at the end of the
  /// input, or when it cannot be read (failed(), or malformed() says why).
  bool next(std::string_view& line);
  /// The number of the line last given (from 1); where the input is malformed, when it is.
  int number() const { return number_; }
  /// Whether the text is UTF-8 (asked for, or a byte order mark found); known once the
  /// first line has been asked for.
  bool utf8() const { return utf8_; }
  /// Why the input cannot be read as text (code page 850), or null.
  const char* malformed() const { return malformed_; }
  /// Whether a read of the file failed.
  bool failed() const { return in_ != nullptr && in_->failed(); }

 private:
  /// Takes the next piece of the input into [from_, end_); false at its end.
  bool more();
  /// Checks the line gathered and hands it out.
  bool give(std::string_view& line);

  FileIn* in_ = nullptr;
  const unsigned char* from_ = nullptr;  // the bytes of the piece not yet taken
  const unsigned char* end_ = nullptr;
  bool utf8_;
  bool started_ = false;  // the byte order mark has been looked for
  bool ended_ = false;
  int number_ = 0;
  const char* malformed_ = nullptr;
  std::string line_;
};
