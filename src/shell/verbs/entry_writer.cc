// Writing entries in the verbs' formats: texto, fortune and json.
#include <cstdio>

#include "entry_formats.h"
#include "entry_text.h"

void EntryWriter::put(std::string_view quote, std::string_view author) {
  switch (format_) {
    case EntryFormat::kText:
    case EntryFormat::kFortune:
      out_.file_text(format_ == EntryFormat::kText ? quote : inside_quotes(quote));
      out_.raw("\n\t-- ");
      out_.file_text(author);
      out_.raw(format_ == EntryFormat::kText ? "\n\n" : "\n%\n");
      break;
    case EntryFormat::kJson:
      out_.raw(any_ ? ",\n  {\"citacao\": " : "[\n  {\"citacao\": ");
      put_json_string(inside_quotes(quote));
      out_.raw(", \"autor\": ");
      put_json_string(author);
      out_.raw("}");
      break;
  }
  any_ = true;
}

void EntryWriter::finish() {
  if (format_ == EntryFormat::kJson) out_.raw(any_ ? "\n]\n" : "[]\n");
}

void EntryWriter::put_json_string(std::string_view file) {
  utf8_.clear();
  file_to_text(file, Charset::kUtf8, utf8_);
  json_.assign(1, '"');
  for (char c : utf8_) {
    auto byte = static_cast<unsigned char>(c);
    switch (byte) {
      case '"': json_ += "\\\""; break;
      case '\\': json_ += "\\\\"; break;
      case '\n': json_ += "\\n"; break;
      case '\t': json_ += "\\t"; break;
      case '\r': json_ += "\\r"; break;
      case '\b': json_ += "\\b"; break;
      case '\f': json_ += "\\f"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", byte);
          json_ += escape;
        } else {
          json_ += c;  // the bytes of a character past ASCII are never escaped
        }
    }
  }
  json_ += '"';
  out_.raw(json_);
}
