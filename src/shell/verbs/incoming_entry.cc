// Checking an entry from outside and turning it into the store's bytes.
#include "incoming_entry.h"

#include <algorithm>
#include <array>

#include "blanks.h"
#include "cp850.h"
#include "encoding.h"
#include "entry_text.h"
#include "quote_entry.h"

namespace {

/// The most bytes a quotation holds between its double quotes.
constexpr std::size_t kLongestQuote = kQuoteSize - 3;

/// Whether the character is a double quotation mark of any kind.
constexpr bool is_double_mark(char32_t c) {
  if (c < 0xAB) return c == U'"';  // the common case, at once
  switch (c) {
    case U'"':
    case U'\u201C':
    case U'\u201D':
    case U'\u201E':
    case U'\u201F':
    case U'\u00AB':
    case U'\u00BB':
    case U'\u2039':
    case U'\u203A': return true;
    default: return false;
  }
}

/// Whether the character is a single quotation mark of any kind.
constexpr bool is_single_mark(char32_t c) {
  switch (c) {
    case U'\u2018':
    case U'\u2019':
    case U'\u201A':
    case U'\u201B':
    case U'`':
    case U'\u00B4': return true;
    default: return false;
  }
}

/// Whether the character is a dash or a minus sign other than the hyphen.
constexpr bool is_dash(char32_t c) {
  return c == U'\u2014' || c == U'\u2013' || c == U'\u2012' || c == U'\u2212';
}

constexpr char32_t kNoBreakSpace = U'\u00A0';

/// The quotation's text: without the blank lines at either end, and without its own
/// double quotes when its first and last characters that are not blank are double
/// quotation marks (as `is_mark` tells) and none stands between them.
template <class Char, class IsMark>
std::basic_string_view<Char> quotation_text(std::basic_string_view<Char> text, IsMark is_mark) {
  text = without_blank_lines(text);
  const std::basic_string_view<Char> marks = without_blanks(text);
  if (marks.size() >= 2 && is_mark(marks.front()) && is_mark(marks.back()) &&
      std::none_of(marks.begin() + 1, marks.end() - 1, is_mark))
    text = without_blank_lines(marks.substr(1, marks.size() - 2));
  return text;
}

/// What the typographic mark `c` becomes in a quotation: appended to `out`; false when
/// `c` is no such mark.
bool replace_mark(char32_t c, std::u32string& out) {
  if (is_double_mark(c) || is_single_mark(c)) out += U'\'';
  else if (is_dash(c)) out += U'-';
  else if (c == U'\u2026') out += U"...";
  else if (c == kNoBreakSpace) out += U' ';
  else return false;
  return true;
}

/// The file byte a field stores for the character `c`, or -1 when the field cannot hold
/// it: a quotation holds only what the record reader reads back.
int file_byte(char32_t c, TextField field) {
  std::string console, file;
  char32_t refused = 0;
  if (!to_cp850(std::u32string_view(&c, 1), field, console, refused)) return -1;
  cp850_to_file(console, file);
  const auto byte = static_cast<unsigned char>(file[0]);
  return field == TextField::kQuote && !admitted_in_quote(byte) ? -1 : byte;
}

/// Hands `take` the code page 850 byte of each character of `text` (given in `input`);
/// false at the first that `take` refuses, that the code page lacks, or at malformed UTF-8.
template <class Take>
bool each_cp850(std::string_view text, Charset input, Take&& take) {
  if (input == Charset::kCp850) {  // a byte a character: the loop at its simplest
    for (char c : text)
      if (!take(static_cast<unsigned char>(c))) return false;
    return true;
  }
  static const std::array<short, 256> kLatin = [] {  // below U+0100, at once
    std::array<short, 256> table{};
    for (char32_t code = 0; code < 256; ++code)
      table[code] = static_cast<short>(cp850::from_unicode(code));
    return table;
  }();
  unicode::Utf8Decoder decoder;
  bool going = true;
  auto emit = [&](char32_t code) {
    if (!going) return;
    const int byte = code == unicode::kMalformed ? -1
                     : code < 256                ? kLatin[code]
                                                 : cp850::from_unicode(code);
    going = byte >= 0 && take(static_cast<unsigned char>(byte));
  };
  for (std::size_t i = 0; going && i < text.size(); ++i)
    decoder.take(static_cast<unsigned char>(text[i]), emit);
  if (going) decoder.finish(emit);
  return going;
}

/// The file bytes of the characters that a field takes as they are (no typographic mark,
/// nothing refused), by their code page 850 byte; -1 for the others.
template <TextField field>
const std::array<short, 256>& plain_bytes() {
  static const std::array<short, 256> kPlain = [] {
    std::array<short, 256> table{};
    std::u32string replaced;
    for (int byte = 0; byte < 256; ++byte) {
      const char32_t code = cp850::to_unicode(static_cast<unsigned char>(byte));
      table[byte] = static_cast<short>(replace_mark(code, replaced) ? -1 : file_byte(code, field));
    }
    return table;
  }();
  return kPlain;
}

/// Appends the file bytes of `text` by the table `plain`; false when one has none.
bool plain_bytes_of(std::string_view text, Charset input, const std::array<short, 256>& plain,
                    std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + text.size());  // at most one file byte a byte
  char* at = out.data() + start;
  auto take = [&](unsigned char c) {
    *at++ = static_cast<char>(plain[c]);
    return plain[c] >= 0;
  };
  const bool plain_text = each_cp850(text, input, take);
  out.resize(static_cast<std::size_t>(at - out.data()));
  return plain_text;
}

/// The quotation's file bytes, in one pass over `raw`, when it is the common case: every
/// character one of code page 850, none refused and none a typographic mark, its only
/// double quotes ('"') a pair around it. False leaves it to the general path, which also
/// names what is refused.
bool plain_quote(std::string_view raw, Charset input, std::string& out) {
  const std::string_view text = quotation_text(raw, [](char c) { return c == '"'; });
  return plain_bytes_of(text, input, plain_bytes<TextField::kQuote>(), out);
}

/// The author's file bytes in one pass, in the common case as plain_quote takes it.
bool plain_author(std::string_view raw, Charset input, std::string& out) {
  const std::array<short, 256>& plain = plain_bytes<TextField::kAuthor>();
  return plain_bytes_of(without_blanks(raw), input, plain, out);
}

Refusal not_admitted(char32_t code, Charset output) {
  return {kNotAdmitted, describe_character(code, output)};
}

/// The author's text: no-break spaces made spaces, then blanks at either end dropped;
/// whether a no-break space was replaced.
bool author_text(std::u32string& chars) {
  bool replaced = false;
  for (char32_t& c : chars)
    if (c == kNoBreakSpace) {
      c = U' ';
      replaced = true;
    }
  const std::u32string_view name = without_blanks(std::u32string_view(chars));
  chars = std::u32string(name);
  return replaced;
}

/// The author's file bytes in `out`: no-break spaces made spaces (`replaced` then set),
/// blanks at either end dropped, each character checked.
Refusal author_bytes(std::string_view text, Charset input, Charset output, std::string& out,
                     bool& replaced) {
  out.clear();
  if (plain_author(text, input, out)) return {};
  out.clear();
  std::u32string chars;
  if (!unicode::decode(text, input, chars)) return {"texto que não é UTF-8 válido"_cp, {}};
  replaced |= author_text(chars);
  for (char32_t c : chars) {
    const int byte = file_byte(c, TextField::kAuthor);
    if (byte < 0) return not_admitted(c, output);
    out += static_cast<char>(byte);
  }
  return {};
}

/// An author's file bytes are one a character: none is no author, over the field's room
/// too long.
Refusal author_length(const std::string& author) {
  if (author.empty()) return {"sem autor"_cp, {}};
  if (author.size() > kAuthorSize - 1) return {"o autor tem mais de 49 caracteres", {}};
  return {};
}

}  // namespace

Refusal take_entry(std::string_view quote, std::string_view author, Charset input, Charset output,
                   StoredForm& entry, std::string_view default_author) {
  std::u32string quote_chars;
  entry.replaced = false;
  entry.quote.assign(1, '"');
  if (!plain_quote(quote, input, entry.quote)) {
    entry.quote.resize(1);
    if (!unicode::decode(quote, input, quote_chars)) return {"texto que não é UTF-8 válido"_cp, {}};
  }
  // Each character, its typographic marks replaced, to its file byte, in text order.
  std::u32string replaced;
  for (char32_t c : quotation_text(std::u32string_view(quote_chars), is_double_mark)) {
    if (replace_mark(c, replaced.erase())) {
      entry.replaced = true;
      for (char32_t r : replaced) entry.quote += static_cast<char>(file_byte(r, TextField::kQuote));
      continue;
    }
    const int byte = file_byte(c, TextField::kQuote);
    if (byte < 0) return not_admitted(c, output);
    entry.quote += static_cast<char>(byte);
  }
  if (entry.quote.size() - 1 > kLongestQuote) return {kTooLongQuote, {}};
  entry.quote += '"';

  if (Refusal fault = author_bytes(author, input, output, entry.author, entry.replaced);
      fault.refused())
    return fault;
  if (entry.author.empty()) entry.author.assign(default_author);  // checked already
  return author_length(entry.author);
}

Refusal take_author(std::string_view text, Charset input, Charset output, std::string& author) {
  bool replaced = false;
  if (Refusal fault = author_bytes(text, input, output, author, replaced); fault.refused())
    return fault;
  return author_length(author);
}

void entry_key(std::string_view quote, std::string_view author, std::string& key) {
  key.assign(without_blank_lines(inside_quotes(quote)));
  key += '\n';  // no quotation ends in a newline: the join is unambiguous
  key += without_blanks(author);
}
