// Checking an entry from outside and turning it into the store's bytes.
#include "incoming_entry.h"

#include <algorithm>

#include "cp850.h"
#include "encoding.h"
#include "entry_text.h"
#include "quote_entry.h"

namespace {

/// The most bytes a quotation holds between its double quotes.
constexpr std::size_t kLongestQuote = kQuoteSize - 3;

template <class Char>
constexpr bool is_blank(Char c) {
  return c == ' ' || c == '\t';
}

/// The text without the lines of blanks at its start and at its end.
template <class Char>
std::basic_string_view<Char> without_blank_lines(std::basic_string_view<Char> text) {
  auto blank_or_newline = [](Char c) { return is_blank(c) || c == '\n'; };
  std::size_t begin = 0, i = 0;
  for (; i < text.size() && blank_or_newline(text[i]); ++i)
    if (text[i] == '\n') begin = i + 1;
  if (i == text.size()) return {};  // nothing but blanks
  std::size_t end = text.size();
  for (std::size_t j = text.size(); blank_or_newline(text[j - 1]); --j)
    if (text[j - 1] == '\n') end = j - 1;
  return text.substr(begin, end - begin);
}

/// The text without blanks at either end.
template <class Char>
std::basic_string_view<Char> without_blanks(std::basic_string_view<Char> text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

/// Whether the character is a double quotation mark of any kind.
constexpr bool is_double_mark(char32_t c) {
  switch (c) {
    case U'"': case U'\u201C': case U'\u201D': case U'\u201E': case U'\u201F':
    case U'\u00AB': case U'\u00BB': case U'\u2039': case U'\u203A':
      return true;
    default:
      return false;
  }
}

/// Whether the character is a single quotation mark of any kind.
constexpr bool is_single_mark(char32_t c) {
  switch (c) {
    case U'\u2018': case U'\u2019': case U'\u201A': case U'\u201B': case U'`': case U'\u00B4':
      return true;
    default:
      return false;
  }
}

/// Whether the character is a dash or a minus sign other than the hyphen.
constexpr bool is_dash(char32_t c) {
  return c == U'\u2014' || c == U'\u2013' || c == U'\u2012' || c == U'\u2212';
}

constexpr char32_t kNoBreakSpace = U'\u00A0';

/// The quotation's text: without its own double quotes when its first and last
/// characters that are not blank are double quotation marks and none stands between them.
std::u32string_view quotation_text(std::u32string_view text) {
  text = without_blank_lines(text);
  std::u32string_view marks = without_blanks(text);
  if (marks.size() >= 2 && is_double_mark(marks.front()) && is_double_mark(marks.back()) &&
      std::none_of(marks.begin() + 1, marks.end() - 1, is_double_mark))
    text = without_blank_lines(marks.substr(1, marks.size() - 2));
  return text;
}

/// Appends `text` to `out` with the typographic marks replaced by the signs a quotation
/// admits; whether any was.
bool replace_marks(std::u32string_view text, std::u32string& out) {
  bool replaced = false;
  for (char32_t c : text) {
    if (is_double_mark(c) || is_single_mark(c)) {
      replaced |= c != U'\'';
      out += U'\'';
    } else if (is_dash(c)) {
      replaced = true;
      out += U'-';
    } else if (c == U'\u2026') {
      replaced = true;
      out += U"...";
    } else if (c == kNoBreakSpace) {
      replaced = true;
      out += U' ';
    } else {
      out += c;
    }
  }
  return replaced;
}

Refusal not_admitted(char32_t code, Charset output) {
  return {"carácter não admitido"_cp, describe_character(code, output)};
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

/// Checks an author's characters (already trimmed) and appends their file bytes to `out`.
Refusal author_bytes(std::u32string_view name, Charset output, std::string& out) {
  std::string console;
  char32_t refused = 0;
  if (!to_cp850(name, TextField::kAuthor, console, refused)) return not_admitted(refused, output);
  cp850_to_file(console, out);
  return {};
}

/// The author is over the length the store's field holds.
bool author_too_long(std::size_t length) { return length > kAuthorSize - 1; }

const char* const kTooLongAuthor = "o autor tem mais de 49 caracteres";

}  // namespace

Refusal take_entry(std::string_view quote, std::string_view author, Charset input,
                   Charset output, StoredForm& entry, std::string_view default_author) {
  std::u32string quote_chars, author_chars;
  if (!unicode::decode(quote, input, quote_chars) || !unicode::decode(author, input, author_chars))
    return {"texto que não é UTF-8 válido"_cp, {}};
  std::u32string text;
  entry.replaced = replace_marks(quotation_text(quote_chars), text);
  std::string console;
  char32_t refused = 0;
  if (!to_cp850(text, TextField::kQuote, console, refused)) return not_admitted(refused, output);
  entry.quote.assign(1, '"');
  cp850_to_file(console, entry.quote);
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!admitted_in_quote(static_cast<unsigned char>(entry.quote[1 + i])))
      return not_admitted(text[i], output);
  if (text.size() > kLongestQuote) return {"citação com mais de 1997 caracteres"_cp, {}};
  entry.quote += '"';

  entry.replaced |= author_text(author_chars);
  entry.author.clear();
  if (Refusal fault = author_bytes(author_chars, output, entry.author); fault.refused())
    return fault;
  if (author_chars.empty()) {
    if (default_author.empty()) return {"sem autor"_cp, {}};
    entry.author.assign(default_author);
  } else if (author_too_long(author_chars.size())) {
    return {kTooLongAuthor, {}};
  }
  return {};
}

Refusal take_author(std::string_view text, Charset input, Charset output, std::string& author) {
  std::u32string chars;
  if (!unicode::decode(text, input, chars)) return {"texto que não é UTF-8 válido"_cp, {}};
  author_text(chars);
  author.clear();
  if (Refusal fault = author_bytes(chars, output, author); fault.refused()) return fault;
  if (chars.empty()) return {"sem autor"_cp, {}};
  if (author_too_long(chars.size())) return {kTooLongAuthor, {}};
  return {};
}

void entry_key(std::string_view quote, std::string_view author, std::string& key) {
  if (!quote.empty() && quote.front() == '"') quote.remove_prefix(1);
  if (!quote.empty() && quote.back() == '"') quote.remove_suffix(1);
  key.assign(without_blank_lines(quote));
  key += '\n';  // no quotation ends in a newline: the join is unambiguous
  key += without_blanks(author);
}
