// The readers of each input format, behind EntrySource: each takes an input's lines and
// gives its entries.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "entry_formats.h"
#include "input_lines.h"

/// Reads the entries of one format from the lines of an input.
class FormatReader {
 public:
  virtual ~FormatReader() = default;
  /// The next entry (its quote, author, line and cut); false at the end of the input,
  /// when its lines cannot be read, or with `malformed` set (code page 850).
  virtual bool next(InputLines& lines, ReadEntry& entry, const char*& malformed) = 0;
  /// The json members not read.
  virtual const std::vector<IgnoredMember>& ignored() const {
    static const std::vector<IgnoredMember> kNone;
    return kNone;
  }
};

/// texto: an entry runs to its attribution line ("-- " and the author), or, without one,
/// to an empty line outside a pair of double quotes.
std::unique_ptr<FormatReader> text_reader();
/// fortune: entries between lines holding only "%"; the last attribution line names the
/// author.
std::unique_ptr<FormatReader> fortune_reader();
/// json: an array of objects with the string members "citacao" and "autor".
std::unique_ptr<FormatReader> json_reader();

/// The lines of one entry as they are read, held up to a bound: an entry longer than any
/// the store could hold is not held whole.
class HeldLines {
 public:
  /// The most bytes held; past it, lines are counted but not kept.
  static constexpr std::size_t kMostHeld = 64 * 1024;

  void clear();
  /// Holds the line, unless the bound has been passed.
  void hold(std::string_view line);
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  /// Whether lines were left out.
  bool cut() const { return cut_; }
  /// The line at `i` (held lines only: i < held()).
  const std::string& operator[](std::size_t i) const { return lines_[i]; }
  std::size_t held() const { return used_; }

 private:
  std::vector<std::string> lines_;  // kept from one entry to the next, for their room
  std::size_t used_ = 0;            // lines held
  std::size_t count_ = 0;           // lines seen
  std::size_t bytes_ = 0;
  bool cut_ = false;
};
