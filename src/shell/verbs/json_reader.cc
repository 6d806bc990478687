// Reading the json input format, a line at a time: an array of objects {"citacao": ...,
// "autor": ...}; other members are passed over and counted.
#include <algorithm>
#include <optional>

#include "cp850.h"
#include "format_readers.h"

namespace {

/// What follows the array's end. Held here, not written in the template below: clang 14
/// leaves a literal of the console's code page unevaluated there, and the link fails.
constexpr const char* kTextAfterTheList = "há texto depois do fim da lista"_cp;

/// A reader over the json text, a line of the input at a time. A string never runs over
/// a line's end: a newline in it would be a control character, which json escapes.
class JsonText {
 public:
  explicit JsonText(InputLines& lines) : lines_(lines) {}

  /// Skips white space, into the lines that follow; the byte then ahead, or -1 at the end.
  int peek() {
    for (;;) {
      while (pos_ < line_.size()) {
        char c = line_[pos_];
        if (c != ' ' && c != '\t' && c != '\r') return static_cast<unsigned char>(c);
        ++pos_;
      }
      if (!lines_.next(line_)) return -1;
      pos_ = 0;
    }
  }
  /// Takes `c` when it is ahead.
  bool take(char c) {
    if (peek() != static_cast<unsigned char>(c)) return false;
    ++pos_;
    return true;
  }
  /// Takes the word `word` ("null") when it is ahead.
  bool take_word(std::string_view word) {
    if (peek() < 0 || line_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  /// Reads a string (the opening quote ahead) into UTF-8; false when it is malformed.
  bool string(std::string& out);

 private:
  bool hex4(char32_t& code);

  InputLines& lines_;
  std::string_view line_;
  std::size_t pos_ = 0;
};

bool JsonText::hex4(char32_t& code) {
  if (line_.size() - pos_ < 4) return false;
  code = 0;
  for (int k = 0; k < 4; ++k) {
    char c = line_[pos_++];
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) return false;
    code = code * 16 + static_cast<char32_t>(digit);
  }
  return true;
}

bool JsonText::string(std::string& out) {
  if (!take('"')) return false;
  out.clear();
  while (pos_ < line_.size()) {
    auto c = static_cast<unsigned char>(line_[pos_++]);
    if (c == '"') return true;
    if (c < 0x20) return false;  // a control character must be escaped
    if (c != '\\') {
      out += static_cast<char>(c);  // UTF-8 as it stands: the entry's check judges it
      continue;
    }
    if (pos_ == line_.size()) return false;
    char escape = line_[pos_++];
    switch (escape) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case '/': out += '/'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n':
        if (!out.empty() && out.back() == '\r') out.pop_back();  // CR LF is a line end
        out += '\n';
        break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        char32_t code = 0;
        if (!hex4(code)) return false;
        if (code >= 0xD800 && code <= 0xDBFF) {  // a surrogate pair
          char32_t low = 0;
          if (line_.substr(pos_, 2) != "\\u") return false;
          pos_ += 2;
          if (!hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
          return false;
        }
        if (code == '\n' && !out.empty() && out.back() == '\r') out.pop_back();
        unicode::append_utf8(code, out);
        break;
      }
      default: return false;
    }
  }
  return false;
}

/// json: one array of objects.
class JsonReader : public FormatReader {
 public:
  bool next(InputLines& lines, ReadEntry& entry, const char*& malformed) override {
    if (!json_) json_.emplace(lines);
    JsonText& json = *json_;
    auto fail = [&](const char* why) {
      if (lines.malformed() == nullptr && !lines.failed()) malformed = why;
      return false;
    };
    if (done_) return false;
    if (!started_) {  // the commas after each object are taken with it
      started_ = true;
      if (!json.take('[')) return fail("esperava-se uma lista json ([)"_cp);
      if (json.take(']')) {
        finish(json, fail);
        return false;
      }
    }
    json.peek();  // the entry begins where its brace stands
    entry.line = lines.number();
    if (!json.take('{')) return fail("esperava-se um objecto json ({)"_cp);
    seen_.clear();
    bool first_member = true;
    while (!json.take('}')) {
      if (!first_member && !json.take(',')) return fail("esperava-se uma vírgula ou }"_cp);
      first_member = false;
      if (!json.string(name_)) return fail("esperava-se o nome de um membro entre aspas"_cp);
      if (!json.take(':')) return fail("esperava-se :"_cp);
      const bool wanted = name_ == "citacao" || name_ == "autor";
      std::string& value = name_ == "citacao" ? entry.quote
                           : name_ == "autor" ? entry.author
                                              : other_;
      if (wanted && json.take_word("null")) value.clear();
      else if (!json.string(value)) return fail("esperava-se um texto entre aspas válido"_cp);
      if (!wanted) count_ignored();
    }
    // What follows the object: a comma and the next, or the end of the array.
    if (json.take(']')) return finish(json, fail);
    if (!json.take(',')) return fail("esperava-se uma vírgula ou ]"_cp);
    return true;
  }

  const std::vector<IgnoredMember>& ignored() const override { return ignored_; }

 private:
  /// The array has closed: nothing may follow it. True when nothing does.
  template <class Fail>
  bool finish(JsonText& json, Fail& fail) {
    done_ = true;
    if (json.peek() != -1) return fail(kTextAfterTheList);
    return true;
  }

  /// Counts the member just read as ignored, once for each object that holds it.
  void count_ignored() {
    if (std::find(seen_.begin(), seen_.end(), name_) != seen_.end()) return;
    seen_.push_back(name_);
    auto at = std::find_if(ignored_.begin(), ignored_.end(),
                           [&](const IgnoredMember& m) { return m.name == name_; });
    if (at == ignored_.end()) ignored_.push_back({name_, 1});
    else ++at->objects;
  }

  std::optional<JsonText> json_;
  bool started_ = false, done_ = false;
  std::string name_, other_;
  std::vector<std::string> seen_;  // the names ignored in the object being read
  std::vector<IgnoredMember> ignored_;
};

}  // namespace

std::unique_ptr<FormatReader> json_reader() { return std::make_unique<JsonReader>(); }
