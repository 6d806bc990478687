// Reading the line-based input formats, texto and fortune: where an entry ends and which
// of its lines name the author.
#include <algorithm>

#include "blanks.h"
#include "format_readers.h"

namespace {

/// Whether the line holds nothing but blanks.
bool is_blank_line(std::string_view line) { return without_blanks(line).empty(); }

/// The line without blanks at either end: a no-break space (UTF-8, or code page 850's
/// byte) is a blank there too, as it is at the ends of an author.
std::string_view trimmed(std::string_view line, bool utf8) {
  const std::string_view nbsp = utf8 ? "\xC2\xA0" : "\xFF";
  for (;;) {
    if (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
    else if (line.substr(0, nbsp.size()) == nbsp) line.remove_prefix(nbsp.size());
    else break;
  }
  for (;;) {
    if (!line.empty() && is_blank(line.back())) line.remove_suffix(1);
    else if (line.size() >= nbsp.size() && line.substr(line.size() - nbsp.size()) == nbsp)
      line.remove_suffix(nbsp.size());
    else break;
  }
  return line;
}

/// Whether `line` is an attribution line: "--" in its first column, or after blanks
/// "--", an em dash or a horizontal bar (a dash in the first column opens a dialogue).
/// The rest of the line, past the dash and the blanks after it, is left in `rest`.
bool is_attribution(std::string_view line, bool utf8, std::string_view& rest) {
  std::size_t i = 0;
  while (i < line.size() && is_blank(line[i])) ++i;
  std::size_t dash = 0;
  if (line.substr(i, 2) == "--") dash = 2;
  else if (utf8 && i > 0 &&
           (line.substr(i, 3) == "\xE2\x80\x94" || line.substr(i, 3) == "\xE2\x80\x95"))
    dash = 3;
  if (dash == 0) return false;
  rest = trimmed(line.substr(i + dash), utf8);
  return true;
}

/// Makes the entry of the held lines: the quotation is the lines before `attribution`
/// (all of them when it is past the end); the author, the attribution and the lines after
/// it, each trimmed, joined by one space.
void make_entry(const HeldLines& lines, std::size_t attribution, bool utf8, ReadEntry& entry) {
  entry.cut = lines.cut();
  if (entry.cut) attribution = lines.held();  // where the author stands is not known
  for (std::size_t i = 0; i < attribution; ++i) {
    if (i > 0) entry.quote += '\n';
    entry.quote += lines[i];
  }
  for (std::size_t i = attribution; i < lines.held(); ++i) {
    std::string_view part = trimmed(lines[i], utf8);
    if (i == attribution) is_attribution(lines[i], utf8, part);
    if (part.empty()) continue;
    if (!entry.author.empty()) entry.author += ' ';
    entry.author += part;
  }
}

/// texto, as exportar writes it and as lists are kept by hand.
class TextReader : public FormatReader {
 public:
  bool next(InputLines& lines, ReadEntry& entry, const char*&) override {
    std::string_view line, rest;
    do {
      if (!lines.next(line)) return false;
    } while (is_blank_line(line));
    entry.line = lines.number();
    held_.clear();
    held_.hold(line);
    bool open = std::count(line.begin(), line.end(), '"') % 2 != 0;  // inside double quotes
    std::size_t attribution = std::string::npos;
    while (lines.next(line)) {
      if (attribution == std::string::npos && !open && is_attribution(line, lines.utf8(), rest))
        attribution = held_.size();
      else if (!open && is_blank_line(line)) break;
      held_.hold(line);
      if (attribution == std::string::npos)
        open ^= std::count(line.begin(), line.end(), '"') % 2 != 0;
    }
    make_entry(held_, std::min(attribution, held_.held()), lines.utf8(), entry);
    return true;
  }

 private:
  HeldLines held_;
};

/// fortune: entries between lines that hold only "%".
class FortuneReader : public FormatReader {
 public:
  bool next(InputLines& lines, ReadEntry& entry, const char*&) override {
    std::string_view line, rest;
    bool more = true;
    while (more) {
      held_.clear();
      std::size_t attribution = std::string::npos;
      while ((more = lines.next(line)) && !is_separator(line)) {
        if (held_.empty() && is_blank_line(line)) continue;  // blank lines before it
        if (held_.empty()) entry.line = lines.number();
        // The first line is always the quotation's.
        if (!held_.empty() && is_attribution(line, lines.utf8(), rest)) attribution = held_.size();
        held_.hold(line);
      }
      if (held_.empty()) continue;
      make_entry(held_, std::min(attribution, held_.held()), lines.utf8(), entry);
      return true;
    }
    return false;
  }

 private:
  /// Whether the line ends an entry: "%" and nothing but blanks.
  static bool is_separator(std::string_view line) {
    return !line.empty() && line[0] == '%' && is_blank_line(line.substr(1));
  }

  HeldLines held_;
};

}  // namespace

void HeldLines::clear() {
  used_ = count_ = bytes_ = 0;
  cut_ = false;
}

void HeldLines::hold(std::string_view line) {
  ++count_;
  if (cut_ || bytes_ + line.size() > kMostHeld) {
    cut_ = true;
    return;
  }
  bytes_ += line.size() + 1;
  if (used_ == lines_.size()) lines_.emplace_back();
  lines_[used_++].assign(line);
}

std::unique_ptr<FormatReader> text_reader() { return std::make_unique<TextReader>(); }
std::unique_ptr<FormatReader> fortune_reader() { return std::make_unique<FortuneReader>(); }
