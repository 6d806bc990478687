// Checking an entry from outside and turning it into the store's bytes.
#include "incoming_entry.h"

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

/// The quotation's text: without its own double quotes when its first and last
/// characters that are not blank are double quotes and none stands between them.
std::u32string_view quotation_text(std::u32string_view text) {
  text = without_blank_lines(text);
  std::u32string_view marks = without_blanks(text);
  if (marks.size() >= 2 && marks.front() == U'"' && marks.back() == U'"' &&
      marks.substr(1, marks.size() - 2).find(U'"') == std::u32string_view::npos)
    text = without_blank_lines(marks.substr(1, marks.size() - 2));
  return text;
}

Refusal not_admitted(char32_t code, Charset output) {
  return {"carácter não admitido"_cp, describe_character(code, output)};
}

}  // namespace

Refusal take_entry(std::string_view quote, std::string_view author, Charset input,
                   Charset output, StoredForm& entry) {
  std::u32string quote_chars, author_chars;
  if (!unicode::decode(quote, input, quote_chars) || !unicode::decode(author, input, author_chars))
    return {"texto que não é UTF-8 válido"_cp, {}};
  const std::u32string_view text = quotation_text(quote_chars);
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

  const std::u32string_view name = without_blanks(std::u32string_view(author_chars));
  console.clear();
  if (!to_cp850(name, TextField::kAuthor, console, refused)) return not_admitted(refused, output);
  if (name.empty()) return {"sem autor"_cp, {}};
  if (name.size() > kAuthorSize - 1) return {"o autor tem mais de 49 caracteres"_cp, {}};
  entry.author.clear();
  cp850_to_file(console, entry.author);
  return {};
}

void entry_key(std::string_view quote, std::string_view author, std::string& key) {
  if (!quote.empty() && quote.front() == '"') quote.remove_prefix(1);
  if (!quote.empty() && quote.back() == '"') quote.remove_suffix(1);
  key.assign(without_blank_lines(quote));
  key += '\n';  // no quotation ends in a newline: the join is unambiguous
  key += without_blanks(author);
}
