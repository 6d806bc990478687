// Reading the line-based input formats, texto and fortune, and choosing a format's reader.
#include <algorithm>

#include "cp850.h"
#include "format_readers.h"

namespace {

/// Whether the byte is a blank inside a line.
bool is_line_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

/// Whether `line` is an author line ("-- " and the author, blanks allowed before and
/// after "--"); the author is then left in `author`.
bool author_line(std::string_view line, std::string& author) {
  std::size_t i = 0;
  while (i < line.size() && is_line_blank(line[i])) ++i;
  if (line.substr(i, 2) != "--") return false;
  i += 2;
  while (i < line.size() && is_line_blank(line[i])) ++i;
  author.assign(line.substr(i));
  return true;
}

/// Counts the newlines in `text`.
int newlines(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

ReadResult read_text_entries(std::string_view input) {
  ReadResult result;
  std::size_t pos = 0;
  int line = 1;
  for (;;) {
    // Blank lines between entries.
    while (pos < input.size() && (is_line_blank(input[pos]) || input[pos] == '\n'))
      line += input[pos++] == '\n';
    if (pos == input.size()) return result;
    ReadEntry entry;
    entry.line = line;
    if (input[pos] != '"')
      return malformed("esperava-se uma citação entre aspas"_cp, line);
    std::size_t close = input.find('"', pos + 1);
    if (close == std::string_view::npos)
      return malformed("a citação não tem aspas de fecho"_cp, line);
    // What follows the closing quote on its line belongs to the quotation: the check of
    // each entry judges it.
    std::size_t end = std::min(input.find('\n', close), input.size());
    entry.quote.assign(input.substr(pos, end - pos));
    line += newlines(entry.quote);
    pos = end;
    if (pos == input.size())
      return malformed("falta a linha do autor"_cp, line);
    ++pos;
    ++line;
    std::size_t author_end = std::min(input.find('\n', pos), input.size());
    if (!author_line(input.substr(pos, author_end - pos), entry.author))
      return malformed("esperava-se a linha do autor (\"\\t-- autor\")"_cp, line);
    pos = author_end;
    result.entries.push_back(std::move(entry));
  }
}

ReadResult read_fortune_entries(std::string_view input) {
  ReadResult result;
  std::vector<std::string_view> chunk;  // the lines of the entry being read
  int chunk_line = 1;                   // where it begins
  int line = 1;
  auto end_chunk = [&] {
    // Blank lines around an entry are not part of it.
    auto blank = [](std::string_view l) { return std::all_of(l.begin(), l.end(), is_line_blank); };
    std::size_t first = 0, last = chunk.size();
    while (first < last && blank(chunk[first])) ++first;
    while (last > first && blank(chunk[last - 1])) --last;
    if (first < last) {
      ReadEntry entry;
      entry.line = chunk_line + static_cast<int>(first);
      if (last - first < 2 || !author_line(chunk[last - 1], entry.author)) {
        entry.fault = "falta a linha do autor (\"\\t-- autor\")"_cp;
        last += 1;  // the whole entry is the quotation
      }
      for (std::size_t i = first; i + 1 < last; ++i) {
        if (i > first) entry.quote += '\n';
        entry.quote += chunk[i];
      }
      result.entries.push_back(std::move(entry));
    }
    chunk.clear();
  };
  std::size_t pos = 0;
  while (pos < input.size()) {
    std::size_t end = std::min(input.find('\n', pos), input.size());
    std::string_view text = input.substr(pos, end - pos);
    if (text == "%") {
      end_chunk();
      chunk_line = line + 1;
    } else {
      chunk.push_back(text);
    }
    pos = end + 1;
    ++line;
  }
  end_chunk();
  return result;
}

ReadResult read_entries(std::string_view input, EntryFormat format) {
  ReadResult result;
  switch (format) {
    case EntryFormat::kText: result = read_text_entries(input); break;
    case EntryFormat::kFortune: result = read_fortune_entries(input); break;
    case EntryFormat::kJson: result = read_json_entries(input); break;
  }
  for (std::size_t i = 0; i < result.entries.size(); ++i)
    result.entries[i].number = static_cast<int>(i) + 1;  // numbered in the file's order
  return result;
}
