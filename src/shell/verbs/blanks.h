// Blanks in text from outside: spaces and tabs, at the ends of a line or of a text.
#pragma once

#include <string_view>

/// Whether the character is a blank: a space or a tab.
template <class Char>
constexpr bool is_blank(Char c) {
  return c == ' ' || c == '\t';
}

/// The text without blanks at either end.
template <class Char>
std::basic_string_view<Char> without_blanks(std::basic_string_view<Char> text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
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
