// The text of an entry: file bytes to and from code page 850, and text from outside
// checked a character at a time.
#include "entry_text.h"

#include <cstdio>

#include "accented_letters.h"
#include "cp850.h"
#include "encoding.h"

namespace {

/// Whether the character is a control character: C0, DEL or C1.
constexpr bool is_control(char32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

/// Whether `field` admits the control character `code`.
bool admits_control(TextField field, char32_t code) {
  if (code == '\t') return true;
  return code == '\n' && field == TextField::kQuote;
}

}  // namespace

void file_to_cp850(std::string_view file, std::string& out) {
  for (char c : file)
    out += static_cast<char>(accented::kFileToConsole[static_cast<unsigned char>(c)]);
}

void cp850_to_file(std::string_view cp850, std::string& out) {
  for (char c : cp850)
    out += static_cast<char>(accented::kConsoleToFile[static_cast<unsigned char>(c)]);
}

std::string_view inside_quotes(std::string_view quote) {
  if (!quote.empty() && quote.front() == '"') quote.remove_prefix(1);
  if (!quote.empty() && quote.back() == '"') quote.remove_suffix(1);
  return quote;
}

bool to_cp850(std::u32string_view text, TextField field, std::string& out, char32_t& refused) {
  for (char32_t code : text) {
    const int byte = cp850::from_unicode(code);
    const bool taken =
        byte >= 0 && (!is_control(code) || admits_control(field, code)) &&
        (field == TextField::kSearch || keeps_its_byte(static_cast<unsigned char>(byte)));
    if (!taken) {
      refused = code;
      return false;
    }
    out += static_cast<char>(byte);
  }
  return true;
}

std::string describe_character(char32_t code, Charset charset) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  std::string text = name;
  if (charset == Charset::kUtf8 && !is_control(code)) {
    text += ' ';
    unicode::append_utf8(code, text);
  }
  return text;
}
