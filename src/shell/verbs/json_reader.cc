// Reading the json input format: an array of objects {"citacao": ..., "autor": ...}.
#include <optional>

#include "cp850.h"
#include "format_readers.h"

namespace {

/// A reader over the json text, with the line it stands on.
class JsonText {
 public:
  explicit JsonText(std::string_view text) : text_(text) {}

  /// Skips white space; the byte then ahead, or -1 at the end.
  int peek() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n') ++line_;
      else if (c != ' ' && c != '\t' && c != '\r') return static_cast<unsigned char>(c);
      ++pos_;
    }
    return -1;
  }
  /// Takes `c` when it is ahead.
  bool take(char c) {
    if (peek() != static_cast<unsigned char>(c)) return false;
    ++pos_;
    return true;
  }
  /// Reads a string (the opening quote ahead) into UTF-8; false when it is malformed.
  bool string(std::string& out);
  int line() const { return line_; }

 private:
  bool hex4(char32_t& code);

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

bool JsonText::hex4(char32_t& code) {
  if (text_.size() - pos_ < 4) return false;
  code = 0;
  for (int k = 0; k < 4; ++k) {
    char c = text_[pos_++];
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    code = code * 16 + static_cast<char32_t>(digit);
  }
  return true;
}

bool JsonText::string(std::string& out) {
  if (!take('"')) return false;
  out.clear();
  while (pos_ < text_.size()) {
    auto c = static_cast<unsigned char>(text_[pos_++]);
    if (c == '"') return true;
    if (c < 0x20) return false;  // a control character must be escaped
    if (c != '\\') {
      out += static_cast<char>(c);  // UTF-8 as it stands: the entry's check judges it
      continue;
    }
    if (pos_ == text_.size()) return false;
    char escape = text_[pos_++];
    switch (escape) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case '/': out += '/'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        char32_t code = 0;
        if (!hex4(code)) return false;
        if (code >= 0xD800 && code <= 0xDBFF) {  // a surrogate pair
          char32_t low = 0;
          if (text_.substr(pos_, 2) != "\\u") return false;
          pos_ += 2;
          if (!hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
          return false;
        }
        unicode::append_utf8(code, out);
        break;
      }
      default: return false;
    }
  }
  return false;
}

}  // namespace

ReadResult read_json_entries(std::string_view input) {
  JsonText json(input);
  ReadResult result;
  if (!json.take('[')) return malformed("esperava-se uma lista json ([)"_cp, json.line());
  bool first = true;
  while (!json.take(']')) {
    if (!first && !json.take(','))
      return malformed("esperava-se uma vírgula ou ]"_cp, json.line());
    first = false;
    ReadEntry entry;
    json.peek();  // the entry begins where its brace stands
    entry.line = json.line();
    if (!json.take('{'))
      return malformed("esperava-se um objecto json ({)"_cp, json.line());
    std::optional<std::string> quote, author;
    bool first_member = true;
    while (!json.take('}')) {
      if (!first_member && !json.take(','))
        return malformed("esperava-se uma vírgula ou }"_cp, json.line());
      first_member = false;
      std::string name, value;
      if (!json.string(name))
        return malformed("esperava-se o nome de um membro entre aspas"_cp, json.line());
      if (!json.take(':')) return malformed("esperava-se :"_cp, json.line());
      if (!json.string(value))
        return malformed("esperava-se um texto entre aspas válido"_cp, json.line());
      if (name == "citacao") quote = std::move(value);
      else if (name == "autor") author = std::move(value);
    }
    if (!quote) entry.fault = "falta o membro \"citacao\""_cp;
    else if (!author) entry.fault = "falta o membro \"autor\""_cp;
    entry.quote = quote.value_or("");
    entry.author = author.value_or("");
    result.entries.push_back(std::move(entry));
  }
  if (json.peek() != -1) return malformed("há texto depois do fim da lista"_cp, json.line());
  return result;
}
